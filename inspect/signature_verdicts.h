#pragma once
// The signature verdicts of one inventory call, by executable path. A machine
// runs many processes of the same file (dozens of svchost.exe), and the trust
// provider's check is by far the slowest step of the inventory: each distinct
// file is checked once per call. Nothing is kept between calls.
#include <cstddef>
#include <cstdint>

#include "inspect/signature_check.h"
#include "platform/win_seam.h"

namespace qz::inspect {

class SignatureVerdicts {
 public:
  SignatureVerdicts() = default;
  SignatureVerdicts(const SignatureVerdicts&) = delete;
  SignatureVerdicts& operator=(const SignatureVerdicts&) = delete;
  ~SignatureVerdicts();

  // The verdict about the process executable at `path`. A file already
  // checked in this call gets its kept verdict, and its line is printed
  // again; any other file is checked as a process's file (VerifyProcessFile,
  // which prints its line) and its verdict kept.
  SignatureVerdict Verify(const char16_t* path);

 private:
  struct Entry {
    uint32_t hash;
    uint32_t length;
    SignatureVerdict verdict;
    char16_t path[win::kMaxPath];
  };
  // Room for this many files (about 140 KB), taken from the heap at the first
  // check. Past it, or when the memory cannot be had, files are checked again.
  static constexpr std::size_t kCapacity = 256;

  Entry* entries_ = nullptr;
  std::size_t count_ = 0;
  bool allocated_ = false;
};

}  // namespace qz::inspect
