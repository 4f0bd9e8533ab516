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

// Each file through both exports: the same console line, with the path in
// full where it holds one ('@'), as the bytes of the text-mode standard output
// (CR LF); the last report left as it was by the first export and holding only
// the word after the second. Wine reports a changed signed file as
// TRUST_E_BAD_DIGEST, and a missing file with ERROR_FILE_NOT_FOUND as the
// status itself (Windows gives TRUST_E_NOSIGNATURE there): both fall to the
// table's last row.
TEST(SignatureOnWindows, VerifiesSignedUnsignedTamperedAndMissingFiles) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  struct Check {
    const wchar_t* file;
    bool passed;
    std::string line;
  };
  const Check checks[] = {
      {L"signed.exe", true, "The file \"@\" is signed and the signature was verified.\r\n"},
      {L"unsigned.exe", false, "The file \"@\" is not signed.\r\n"},
      {L"tampered.exe", false, "Error is: 0x80096010.\r\n"},
      {L"missing.exe", false, "Error is: 0x2.\r\n"},
  };
  for (const Check& check : checks) {
    const std::wstring path = ProgramFolder() + L"\\signing\\" + check.file;
    const std::string narrow = Narrow(path);
    std::string line = check.line;
    if (line.find('@') != std::string::npos) line.replace(line.find('@'), 1, narrow);
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

// A length no copy could ever hold fails like a copy that cannot be made:
// "FAILED", and the host goes on.
TEST(SignatureOnWindows, AnImpossibleLengthFailsWithoutEndingTheHost) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  for (uint32_t length : {0x7FFFFFFFu, 0x40000000u}) {
    const char* report = CallReport("VerifyEmbeddedSignatureLua", {Arg("abc"), length});
    EXPECT_STREQ(report, "FAILED") << length;
  }
}

// A script checking an executable passes GetExePath's text straight on: the
// path is taken before the report that holds it is replaced.
TEST(SignatureOnWindows, ChecksThePathThatTheLastReportHolds) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const std::wstring program = ProgramFolder() + L"\\signing\\signed.exe";
  WaitingChild child(program);
  ASSERT_NE(child.id, 0u);
  const char* path = CallReport("GetExePath", {child.id});
  ASSERT_EQ(path, Narrow(program));
  const char* report = nullptr;
  CaptureStdout([&] { report = CallReport("VerifyEmbeddedSignatureLua", {Arg(path), uint32_t(std::strlen(path))}); });
  EXPECT_STREQ(report, "PASSED");
}
