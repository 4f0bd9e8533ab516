// The signature check against a scripted trust provider, and the WOW64 switch.
#include <gtest/gtest.h>

#include <string>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "tests/support/fake_windows.h"

namespace qz::test {
namespace {

// Each of the provider's statuses (with the last error the check left) gives
// one line and a result; the provider is handed the records it expects, and
// its state is released after each. The path holds format characters, which
// the line shows as they are. The last report is untouched.
TEST(SignatureCheck, EveryOutcomeGivesItsLineAndResult) {
  struct Case {
    uint32_t status, lastError;
    const char16_t* line;
    bool passed;
  };
  const Case cases[] = {
      {0, 0, u"The file \"C:\\%x%s.exe\" is signed and the signature was verified.\n", true},
      {0x800B0100, 0x800B0100, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0003, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0001, u"The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0, u"An unknown error occurred trying to verify the signature of the \"C:\\%x%s.exe\" file.\n",
       false},
      {0x800B0111, 0, u"The signature is present, but specifically disallowed.\n", false},
      {0x800B0004, 0, u"The signature is present, but not trusted.\n", true},
      {0x80092026, 0,
       u"CRYPT_E_SECURITY_SETTINGS - The hash representing the subject or the publisher wasn't explicitly trusted by "
       u"the admin and admin policy has disabled user trust. No signature, publisher or timestamp errors.\n",
       false},
      {0x800B0001, 0x800B0100, u"Error is: 0x800b0001.\n", false},  // a last error without NOSIGNATURE means nothing
      {0xABCDEF, 0, u"Error is: 0xabcdef.\n", false},
  };
  report::ResetReportBuffer();
  report::AppendText("previous report");
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.trust[u"C:\\%x%s.exe"] = {c.status, c.lastError};
    EXPECT_EQ(VerifyEmbeddedSignature(u"C:\\%x%s.exe"), c.passed) << std::hex << c.status;
    EXPECT_EQ(fake.printed, std::vector<std::u16string>{c.line}) << std::hex << c.status << " " << c.lastError;
    EXPECT_TRUE(fake.clean()) << std::hex << c.status;
  }
  FakeWindows fake;
  EXPECT_FALSE(VerifyEmbeddedSignature(nullptr));
  EXPECT_EQ(fake.checked, std::vector<std::u16string>{u""}) << "a null path is checked as the empty path";
  EXPECT_TRUE(fake.clean());
  EXPECT_STREQ(report::ReportBuffer(), "previous report");
}

// A report's text passed back: the bytes are the previous report's, as when a
// script passes GetExePath's answer on, and are read before that report is
// released. Only `length` bytes are the path; the report then holds only the
// word (a present but untrusted signature passes).
TEST(SignatureCheckLua, VerifiesExactlyTheGivenBytes) {
  struct Case {
    const char* bytes;
    int length;
    const char16_t* checked;
  };
  const Case cases[] = {{"C:\\good.exe", 11, u"C:\\good.exe"}, {"C:\\good.exe-and-more", 11, u"C:\\good.exe"},
                        {"C:\\good.exe", 0, u""}, {"C:\\good.exe", -1, u""}, {"C:\\good.exe", -2147483647 - 1, u""},
                        {nullptr, 5, u""}};
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.trust[u"C:\\good.exe"] = {0x800B0004, 0};
    report::ResetReportBuffer();
    report::AppendText(c.bytes);
    const char* report = VerifyEmbeddedSignatureLua(c.bytes ? report::ReportBuffer() : nullptr, c.length);
    EXPECT_STREQ(report, std::u16string(c.checked) == u"C:\\good.exe" ? "PASSED" : "FAILED") << c.length;
    EXPECT_EQ(fake.checked, std::vector<std::u16string>{c.checked}) << c.length;
  }
}

// Only flag 1 switches; the answer is 0 whether or not the platform has the
// switch (32-bit Windows lacks it).
TEST(Wow64Redirection, SwitchesOnlyForFlagOne) {
  for (const bool hasSwitch : {true, false}) {
    FakeWindows fake;
    fake.hasWow64Switch = hasSwitch;
    for (const int flag : {1, 0, 2, -1, 1}) EXPECT_EQ(DisableWow64Redirection(flag), 0);
    EXPECT_EQ(fake.calls, (std::vector<std::string>{"switch", "switch"})) << hasSwitch;
  }
}

}  // namespace
}  // namespace qz::test
