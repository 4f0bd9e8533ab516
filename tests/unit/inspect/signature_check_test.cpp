// VerifyEmbeddedSignature and VerifyEmbeddedSignatureLua against a scripted trust provider.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"
#include "inspect/trust_outcome.h"

namespace qz::test {
namespace {

// The 48-byte WINTRUST_DATA for a file with no UI and no revocation check,
// GENERIC_VERIFY_V2, verify then close with the provider's state; a null path
// is checked as the empty path.
TEST(SignatureCheck, HandsTheProviderTheRecordsItExpects) {
  FakeWindows fake;
  EXPECT_FALSE(VerifyEmbeddedSignature(nullptr));
  EXPECT_EQ(fake.printed, std::vector<std::u16string>{u"The file \"\" is not signed.\n"});
  ASSERT_EQ(fake.trustCalls.size(), 2u);
  const win::Guid v2{0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};
  for (uint32_t i = 0; i < 2; ++i) {  // verify, then release the state the provider handed out
    const TrustCall& call = fake.trustCalls[i];
    const win::TrustData& d = call.data;
    EXPECT_EQ(call.window, nullptr);
    EXPECT_EQ(std::memcmp(&call.action, &v2, sizeof v2), 0);
    EXPECT_EQ(std::make_tuple(d.structSize, d.policyCallbackData, d.sipClientData, d.uiChoice, d.revocationChecks,
                              d.unionChoice, d.urlReference, d.provFlags, d.uiContext, d.stateAction, d.stateData),
              std::make_tuple(48u, nullptr, nullptr, 2u, 0u, 1u, nullptr, 0u, 0u, i + 1,
                              i == 0 ? nullptr : reinterpret_cast<win::Handle>(0x5000)));
    EXPECT_EQ(std::make_tuple(call.file.structSize, call.file.file, call.file.knownSubject, call.path),
              std::make_tuple(uint32_t{sizeof(win::TrustFileInfo)}, nullptr, nullptr, std::u16string()));
  }
}

// Every outcome: the verify call, the last error only without signature, one
// line, then the release; the result is the outcome table's.
TEST(SignatureCheck, ReleasesAfterEveryOutcome) {
  for (uint32_t status : {0x0u, 0x800B0100u, 0x800B0111u, 0x800B0004u, 0x80092026u, 0x80004005u}) {
    FakeWindows fake;
    fake.trust[u"C:\\b.dll"] = {status, 0x800B0003};
    EXPECT_EQ(VerifyEmbeddedSignature(u"C:\\b.dll"), inspect::TrustOutcomeFor(status, 0x800B0003).passed)
        << std::hex << status;
    std::vector<std::string> expected{"WinVerifyTrust(verify)", "print", "WinVerifyTrust(close)"};
    if (status == 0x800B0100u) expected.insert(expected.begin() + 1, "GetLastError");
    EXPECT_EQ(fake.calls, expected) << std::hex << status;
  }
}

// The report is reset before the check and holds only the word, which follows
// the check's result (a present but untrusted signature passes). The bytes are
// the previous report's text, as when a script passes GetExePath's answer on.
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
    fake.trust[u"C:\\good.exe"] = {0x800B0004};
    report::ResetReportBuffer();
    report::AppendReportText(c.bytes);
    const char* report = VerifyEmbeddedSignatureLua(c.bytes ? report::ReportBuffer() : nullptr, c.length);
    EXPECT_STREQ(report, std::u16string(c.checked) == u"C:\\good.exe" ? "PASSED" : "FAILED") << c.length;
    EXPECT_EQ(std::vector<std::string>(fake.calls.begin() + 1, fake.calls.begin() + 3),
              (std::vector<std::string>{"allocate", "WinVerifyTrust(verify)"}));
    EXPECT_EQ(fake.trustCalls.at(0).path, c.checked) << c.length;
  }
}

}  // namespace
}  // namespace qz::test
