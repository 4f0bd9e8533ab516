// VerifyEmbeddedSignature and VerifyEmbeddedSignatureLua against a scripted trust provider.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

TEST(SignatureCheck, HandsTheProviderTheRecordsItExpects) {
  FakeWindows fake;
  EXPECT_FALSE(VerifyEmbeddedSignature(u"C:\\a.exe"));
  ASSERT_EQ(fake.trustCalls.size(), 2u);
  for (const TrustCall& call : fake.trustCalls) {
    EXPECT_EQ(call.window, nullptr);
    const win::Guid v2{0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};
    EXPECT_EQ(std::memcmp(&call.action, &v2, sizeof v2), 0);
    EXPECT_EQ(call.data.structSize, 48u);
    EXPECT_EQ(call.data.policyCallbackData, nullptr);
    EXPECT_EQ(call.data.sipClientData, nullptr);
    EXPECT_EQ(call.data.uiChoice, 2u);
    EXPECT_EQ(call.data.revocationChecks, 0u);
    EXPECT_EQ(call.data.unionChoice, 1u);
    EXPECT_EQ(call.data.urlReference, nullptr);
    EXPECT_EQ(call.data.provFlags, 0u);
    EXPECT_EQ(call.data.uiContext, 0u);
    EXPECT_EQ(call.file.structSize, sizeof(win::TrustFileInfo));
    EXPECT_EQ(call.file.file, nullptr);
    EXPECT_EQ(call.file.knownSubject, nullptr);
    EXPECT_EQ(call.path, u"C:\\a.exe");
  }
  EXPECT_EQ(fake.trustCalls[0].data.stateAction, 1u);
  EXPECT_EQ(fake.trustCalls[0].data.stateData, nullptr);
  EXPECT_EQ(fake.trustCalls[1].data.stateAction, 2u);
  EXPECT_NE(fake.trustCalls[1].data.stateData, nullptr) << "the release hands back the provider's state";
}

// Every outcome: the verify call, the last error only without signature, one
// line, then the release.
TEST(SignatureCheck, ReleasesAfterEveryOutcome) {
  struct Case {
    uint32_t status;
    bool readsLastError, result;
  };
  const Case cases[] = {{0, false, true},           {0x800B0100, true, false}, {0x800B0111, false, false},
                        {0x800B0004, false, true},  {0x80092026, false, false}, {0x80004005, false, false}};
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.trust[u"C:\\b.dll"] = {c.status, 0x800B0003};
    EXPECT_EQ(VerifyEmbeddedSignature(u"C:\\b.dll"), c.result) << std::hex << c.status;
    std::vector<std::string> expected{"WinVerifyTrust(verify)", "print", "WinVerifyTrust(close)"};
    if (c.readsLastError) expected.insert(expected.begin() + 1, "GetLastError");
    EXPECT_EQ(fake.calls, expected) << std::hex << c.status;
    EXPECT_EQ(fake.printed.size(), 1u);
  }
}

TEST(SignatureCheck, NullPathIsCheckedAsTheEmptyPath) {
  FakeWindows fake;
  EXPECT_FALSE(VerifyEmbeddedSignature(nullptr));
  EXPECT_EQ(fake.trustCalls.at(0).path, u"");
  EXPECT_EQ(fake.printed.at(0), u"The file \"\" is not signed.\n");
}

TEST(SignatureCheck, NonReportingExportsLeaveTheReportAlone) {
  FakeWindows fake;
  fake.trust[u"C:\\a.exe"] = {0};
  char* before = report::ResetReportBuffer();
  report::AppendReportText("[{\"Name\": \"kept\"}]");
  EXPECT_TRUE(VerifyEmbeddedSignature(u"C:\\a.exe"));
  EXPECT_EQ(DisableWow64Redirection(1), 0);
  EXPECT_EQ(report::ReportBuffer(), before);
  EXPECT_STREQ(before, "[{\"Name\": \"kept\"}]");
}

TEST(SignatureCheckLua, VerifiesExactlyTheGivenBytes) {
  struct Case {
    const char* bytes;
    int length;
    const char16_t* checked;
  };
  const Case cases[] = {
      {"C:\\good.exe", 11, u"C:\\good.exe"}, {"C:\\good.exe-and-more", 11, u"C:\\good.exe"},
      {"C:\\good.exe", 0, u""},              {"C:\\good.exe", -1, u""},
      {"C:\\good.exe", -2147483647 - 1, u""}, {nullptr, 5, u""},
      {"C:\\caf\xE9.exe", 11, u"C:\\caf\u00E9.exe"},  // natively a byte widens to the same code unit
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.trust[u"C:\\good.exe"] = {0};
    report::ResetReportBuffer();
    report::AppendReportText("{\"Process\": []}");
    const char* report = VerifyEmbeddedSignatureLua(c.bytes, c.length);
    EXPECT_STREQ(report, std::u16string(c.checked) == u"C:\\good.exe" ? "PASSED" : "FAILED") << c.length;
    EXPECT_EQ(fake.calls.front(), "allocate") << "the report is reset before anything else";
    EXPECT_EQ(fake.trustCalls.at(0).path, c.checked) << c.length;
  }
}

TEST(SignatureCheckLua, PassesExactlyWhenTheCheckDoes) {
  for (uint32_t status : {0u, 0x800B0004u, 0x800B0111u, 0x800B0100u, 0x1u}) {
    FakeWindows fake;
    fake.trust[u"C:\\x.exe"] = {status};
    const bool passed = status == 0 || status == 0x800B0004u;
    EXPECT_STREQ(VerifyEmbeddedSignatureLua("C:\\x.exe", 8), passed ? "PASSED" : "FAILED") << std::hex << status;
  }
}

}  // namespace
}  // namespace qz::test
