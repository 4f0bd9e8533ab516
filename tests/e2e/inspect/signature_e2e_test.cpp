// The signature check on the real trust provider, with files signed at build
// time by make_signed_files.sh (Wine trusts the self-signed certificate).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "cdecl_call.h"
#include "dll_under_test.h"
#include "inspection_calls.h"

namespace {

std::wstring SigningFile(const wchar_t* name) { return ProgramFolder() + L"\\signing\\" + name; }

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

std::string ExpectedLine(const Check& check, const std::wstring& path) {
  return ConsoleLine(check.lineBeforePath ? check.lineBeforePath + Narrow(path) + check.lineAfterPath
                                         : check.lineAfterPath);
}

TEST(SignatureOnWindows, VerifiesSignedUnsignedTamperedAndMissingFiles) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (const Check& check : kChecks) {
    const std::wstring path = SigningFile(check.file);
    uint32_t result = 0;
    const std::string printed =
        CaptureStdout([&] { result = CallExport("VerifyEmbeddedSignature", {Arg(path.c_str())}); });
    EXPECT_EQ(result & 0xFF, check.passed ? 1u : 0u) << Narrow(path);
    EXPECT_EQ(printed, ExpectedLine(check, path));
  }
}

TEST(SignatureOnWindows, LuaVariantReportsOnlyTheWord) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (const Check& check : kChecks) {
    // Bytes past the given length are not part of the path.
    const std::string path = Narrow(SigningFile(check.file));
    const std::string bytes = path + "-not-part-of-it";
    CallReport("GetExePath", {0});  // a long previous report
    std::string report, printed;
    printed = CaptureStdout([&] {
      report = CallReport("VerifyEmbeddedSignatureLua", {Arg(bytes.c_str()), static_cast<uint32_t>(path.size())});
    });
    EXPECT_EQ(report, check.passed ? "PASSED" : "FAILED") << path;
    EXPECT_EQ(printed, ExpectedLine(check, SigningFile(check.file)));
  }
  EXPECT_STREQ(CallReport("VerifyEmbeddedSignatureLua", {Arg("ignored"), static_cast<uint32_t>(-5)}), "FAILED");
}

TEST(SignatureOnWindows, NonReportingExportsLeaveTheReportUnchanged) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const char* report = CallReport("GetExePath", {0});
  const std::string before = report;
  const std::wstring path = SigningFile(L"signed.exe");
  CaptureStdout([&] { CallExport("VerifyEmbeddedSignature", {Arg(path.c_str())}); });
  EXPECT_EQ(CallExport("DisableWow64Redirection", {0}), 0u);
  EXPECT_EQ(CallExport("DisableWow64Redirection", {1}), 0u);
  EXPECT_EQ(std::string(report), before);
}

}  // namespace
