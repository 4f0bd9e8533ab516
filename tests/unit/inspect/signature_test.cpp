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
    const char* line;
    bool passed;
  };
  const Case cases[] = {
      {0, 0, "The file \"C:\\%x%s.exe\" is signed and the signature was verified.\n", true},
      {0x800B0100, 0x800B0100, "The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0003, "The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0x800B0001, "The file \"C:\\%x%s.exe\" is not signed.\n", false},
      {0x800B0100, 0, "An unknown error occurred trying to verify the signature of the \"C:\\%x%s.exe\" file.\n",
       false},
      {0x800B0111, 0, "The signature is present, but specifically disallowed.\n", false},
      {0x800B0004, 0, "The signature is present, but not trusted.\n", true},
      {0x80092026, 0,
       "CRYPT_E_SECURITY_SETTINGS - The hash representing the subject or the publisher wasn't explicitly trusted by "
       "the admin and admin policy has disabled user trust. No signature, publisher or timestamp errors.\n",
       false},
      {0x800B0001, 0x800B0100, "Error is: 0x800b0001.\n", false},  // a last error without NOSIGNATURE means nothing
      {0xABCDEF, 0, "Error is: 0xabcdef.\n", false},
  };
  report::ResetReportBuffer();
  report::AppendText("previous report");
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.trust[u"C:\\%x%s.exe"] = {c.status, c.lastError};
    EXPECT_EQ(VerifyEmbeddedSignature(u"C:\\%x%s.exe"), c.passed) << std::hex << c.status;
    EXPECT_EQ(fake.printed, std::vector<std::string>{c.line}) << std::hex << c.status << " " << c.lastError;
    EXPECT_TRUE(fake.clean()) << std::hex << c.status;
  }
  FakeWindows fake;
  EXPECT_FALSE(VerifyEmbeddedSignature(nullptr));
  EXPECT_EQ(fake.checked, std::vector<std::u16string>{u""}) << "a null path is checked as the empty path";
  EXPECT_TRUE(fake.clean());
  EXPECT_STREQ(report::ReportBuffer(), "previous report");
}

// The line in the ANSI code page, whole, as the reports spell a path: where
// the code page lacks Cyrillic each such character is one '?'; in UTF-8 every
// character comes out, also in a path of the longest Windows length.
TEST(SignatureCheck, TheLineIsWholeInTheCodePage) {
  const std::u16string cyrillic = u"C:\\\u0418\u0433\u0440\u044B\\x.exe";
  std::string cjk;  // a path of the longest length, three bytes a unit
  for (int i = 0; i < 32764; ++i) cjk += "\xE9\x81\x8A";
  const struct {
    bool utf8;
    std::u16string path;
    std::string shown;
  } cases[] = {{false, cyrillic, "C:\\????\\x.exe"},
               {true, cyrillic, "C:\\\xD0\x98\xD0\xB3\xD1\x80\xD1\x8B\\x.exe"},
               {true, u"C:\\" + std::u16string(32764, u'\u904A'), "C:\\" + cjk}};
  for (const auto& c : cases) {
    FakeWindows fake;
    if (c.utf8) win::Api().wideToAnsi = &Utf8CodePage;
    EXPECT_FALSE(VerifyEmbeddedSignature(c.path.c_str()));
    EXPECT_EQ(fake.printed, std::vector<std::string>{"The file \"" + c.shown + "\" is not signed.\n"}) << c.shown.substr(0, 40);
  }
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

// DisableWow64Redirection: only flag 1 switches, and the answer is 0 whether
// or not the platform has the switch (32-bit Windows lacks it).
// A process's own file is checked: the calling thread's redirection is off
// for each process check (one process report, then an inventory of two) and
// put back right after to what it was, also when the game had switched it off
// itself. A path the game gives is checked in the game's own view. Where the
// platform lacks the switch, nothing is switched back.
TEST(Wow64Redirection, TheGamesSwitchAndEachProcessCheckWithRedirectionOff) {
  for (const bool hasSwitch : {true, false}) {
    for (const bool gameSwitchedOff : {false, true}) {
      FakeWindows fake;
      fake.hasWow64Switch = hasSwitch;
      fake.processes = {{4242, u"demo.exe", u"C:\\Games\\Demo\\demo.exe"},
                        {300, u"services.exe", u"C:\\Windows\\System32\\services.exe", kLimitedRights}};
      for (const int flag : {0, 2, -1, gameSwitchedOff ? 1 : 0}) EXPECT_EQ(DisableWow64Redirection(flag), 0);
      EXPECT_EQ(fake.calls, std::vector<std::string>(gameSwitchedOff, "switch"));
      fake.calls.clear();
      VerifyProcessProfile(300);
      QZS_glosdi();
      VerifyEmbeddedSignature(u"C:\\Windows\\System32\\services.exe");
      VerifyEmbeddedSignatureLua("C:\\x.exe", 8);
      std::string switching;  // s(witch), c(heck) or u(nredirected check), r(evert)
      for (const std::string& call : fake.calls) switching += call == "snapshot" || call == "open" ? "" : call.substr(0, 1);
      const std::string each = hasSwitch ? "sur" : "sc";
      const bool gameView = hasSwitch && gameSwitchedOff;
      EXPECT_EQ(switching, each + each + each + (gameView ? "uu" : "cc")) << hasSwitch << gameSwitchedOff;
      EXPECT_EQ(fake.redirectionOff, gameView);
      EXPECT_TRUE(fake.clean());
    }
  }
}

}  // namespace
}  // namespace qz::test
