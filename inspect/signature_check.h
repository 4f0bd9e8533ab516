#pragma once
// Verifies the embedded Authenticode signature of one file through the
// Windows trust provider and prints one line about the outcome.
#include <cstdint>

#include "inspect/trust_outcome.h"

namespace qz::inspect {

// What one check found: its outcome (line and result) and the provider's
// status, which the line may show.
struct SignatureVerdict {
  TrustOutcome outcome;
  uint32_t status;
  // True when the signature verifies or is present but not trusted.
  bool passed() const { return outcome.passed; }
};

// Checks the file, prints the verdict's line and returns the verdict. A null
// path is checked as the empty path.
SignatureVerdict VerifyFileSignature(const char16_t* path);

// The check of a process's executable, at the path the system gives for the
// process: with the calling thread's WOW64 file-system redirection switched
// off for the check and restored right after, so that the file checked is
// the process's own (a 64-bit process's file under System32, not its
// SysWOW64 twin) whatever the game's own view. Where the platform lacks the
// switch, the check runs as it is.
SignatureVerdict VerifyProcessFile(const char16_t* path);

// Prints the verdict's line about `path`, as its check printed it.
void PrintSignatureVerdict(const SignatureVerdict& verdict, const char16_t* path);

}  // namespace qz::inspect
