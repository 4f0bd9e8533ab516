// The signature check on the real trust provider, with files signed at build
// time by make_signed_files.sh (Wine trusts the self-signed certificate).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "cdecl_call.h"
#include "dll_under_test.h"
#include "inspection_calls.h"

namespace {

// A printed line as the bytes on the standard output, a text-mode stream on
// which the C runtime writes each line feed as CR LF.
std::string ConsoleLine(const std::string& line) {
  std::string bytes;
  for (char c : line) bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
  return bytes;
}

struct Check {
  const wchar_t* file;
  bool passed;
  const char* lineBeforePath;  // null: the line holds no path
  const char* lineAfterPath;
};

// Wine reports a changed signed file as TRUST_E_BAD_DIGEST, and a missing file
// with ERROR_FILE_NOT_FOUND as the status itself (Windows gives
// TRUST_E_NOSIGNATURE there): both fall to the table's last row.
const Check kChecks[] = {
    {L"signed.exe", true, "The file \"", "\" is signed and the signature was verified.\n"},
    {L"unsigned.exe", false, "The file \"", "\" is not signed.\n"},
    {L"tampered.exe", false, nullptr, "Error is: 0x80096010.\n"},
    {L"missing.exe", false, nullptr, "Error is: 0x2.\n"},
};

// Each file through both exports: the same console line (the path in full),
// the report left as it was by the first and holding only the word after the
// second.
TEST(SignatureOnWindows, VerifiesSignedUnsignedTamperedAndMissingFiles) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (const Check& check : kChecks) {
    const std::wstring path = ProgramFolder() + L"\\signing\\" + check.file;
    const std::string narrow = Narrow(path);
    const std::string line =
        ConsoleLine(check.lineBeforePath ? check.lineBeforePath + narrow + check.lineAfterPath : check.lineAfterPath);
    const char* report = CallReport("GetExePath", {0});  // a long previous report
    const std::string before = report;
    uint32_t result = 0;
    EXPECT_EQ(CaptureStdout([&] { result = CallExport("VerifyEmbeddedSignature", {Arg(path.c_str())}); }), line);
    EXPECT_EQ(result & 0xFF, check.passed ? 1u : 0u) << narrow;
    EXPECT_EQ(report, before) << "the last report stays as it was";
    // Bytes past the given length are not part of the path.
    const std::string bytes = narrow + "-not-part-of-it";
    const auto size = static_cast<uint32_t>(narrow.size());
    EXPECT_EQ(CaptureStdout([&] { report = CallReport("VerifyEmbeddedSignatureLua", {Arg(bytes.c_str()), size}); }),
              line);
    EXPECT_STREQ(report, check.passed ? "PASSED" : "FAILED") << narrow;
  }
}

}  // namespace
