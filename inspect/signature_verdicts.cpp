#include "inspect/signature_verdicts.h"

#include <string>

namespace qz::inspect {
namespace {

// FNV-1a over the code units: most paths differ here, so few are compared whole.
uint32_t HashOf(const char16_t* path, std::size_t length) {
  uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < length; ++i) hash = (hash ^ path[i]) * 16777619u;
  return hash;
}

}  // namespace

SignatureVerdicts::~SignatureVerdicts() {
  if (entries_ != nullptr) win::Api().release(entries_);
}

SignatureVerdict SignatureVerdicts::Verify(const char16_t* path) {
  using Traits = std::char_traits<char16_t>;
  if (path == nullptr) path = u"";
  const std::size_t length = Traits::length(path);
  if (length >= win::kMaxPath) return VerifyProcessFile(path);  // a long path, rare enough to check again
  const uint32_t hash = HashOf(path, length);
  for (std::size_t i = 0; i < count_; ++i) {
    const Entry& entry = entries_[i];
    if (entry.hash == hash && entry.length == length && Traits::compare(entry.path, path, length) == 0) {
      PrintSignatureVerdict(entry.verdict, path);
      return entry.verdict;
    }
  }

  const SignatureVerdict verdict = VerifyProcessFile(path);
  if (!allocated_) {
    allocated_ = true;
    entries_ = static_cast<Entry*>(win::Api().allocate(kCapacity * sizeof(Entry)));
  }
  if (entries_ != nullptr && count_ < kCapacity) {
    Entry& entry = entries_[count_++];
    entry.hash = hash;
    entry.length = static_cast<uint32_t>(length);
    entry.verdict = verdict;
    Traits::copy(entry.path, path, length);
  }
  return verdict;
}

}  // namespace qz::inspect
