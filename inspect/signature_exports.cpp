// VerifyEmbeddedSignature and its variant for scripts that pass narrow bytes.
#include <cstddef>
#include <memory>
#include <new>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "inspect/signature_check.h"
#include "platform/export.h"
#include "platform/win_seam.h"

using namespace qz::report;

namespace {

constexpr char kPassed[] = "PASSED";
constexpr char kFailed[] = "FAILED";

}  // namespace

QZ_EXPORT bool QZ_CDECL VerifyEmbeddedSignature(const QZWideChar* path) {
  return qz::inspect::VerifyFileSignature(reinterpret_cast<const char16_t*>(path)).passed();
}

QZ_EXPORT char* QZ_CDECL VerifyEmbeddedSignatureLua(const char* path, int length) {
  // The path is copied before the reset: it may lie in the report that the
  // reset releases (a script passing GetExePath's text straight on).
  // A null path or a negative length is the empty path. The copy has room for
  // `length` code units and a terminator, whatever the code page makes of the bytes.
  const std::size_t count = (path == nullptr || length < 0) ? 0 : static_cast<std::size_t>(length);
  std::unique_ptr<char16_t[]> copy;
  try {
    copy.reset(new (std::nothrow) char16_t[count + 1]);
  } catch (const std::bad_array_new_length&) {
    // A length whose copy could never fit the address space: like any copy
    // that cannot be made, it fails without being checked.
  }
  if (copy != nullptr) {
    const std::size_t units = count == 0 ? 0 : qz::win::Api().ansiToWide(path, count, copy.get(), count);
    copy[units < count ? units : count] = 0;
  }

  // Without a block there is no report to write the word into: the static
  // "FAILED" answers, and nothing is checked.
  if (ResetReportBuffer() == nullptr) return ReportResult(kFailed);
  const bool passed = copy != nullptr && qz::inspect::VerifyFileSignature(copy.get()).passed();
  AppendText(passed ? kPassed : kFailed);
  return ReportResult(kFailed);
}
