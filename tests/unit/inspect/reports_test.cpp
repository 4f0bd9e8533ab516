// The report buffer's own rules, and the reporting exports against a scripted
// platform: a process's modules, the inventory of processes that do not
// verify, one process's verdict, and the static texts without a report block.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "tests/support/fake_windows.h"

namespace qz::test {
namespace {

using namespace qz::report;

// A text past the capacity stops at capacity - 1, terminated; every later
// append of the report is dropped.
TEST(ReportBuffer, TextPastTheCapacityIsCutAndTerminated) {
  ResetReportBuffer();
  AppendText("ab");
  AppendText(std::string(kReportCapacity + 10, 'y').c_str());
  AppendDecimal(7);
  AppendQuoted(u"more");
  EXPECT_EQ(ReportLength(), kReportCapacity - 1);
  EXPECT_EQ(std::strlen(ReportBuffer()), kReportCapacity - 1);
  EXPECT_EQ(std::string(ReportBuffer(), 3), "aby");
}

// Non-ASCII paths: the quotes are fixed text around the value. The code page
// here is UTF-8 (one to three bytes a code unit), where a path of 260 units
// can pass the 499 bytes of the value scratch: the value is cut after a whole
// character, never inside a surrogate pair, and keeps its closing quote.
TEST(ReportBuffer, WideValuesAreCutInsideTheirQuotes) {
  win::Api().wideToAnsi = [](const char16_t* text, std::size_t count, char* out, std::size_t capacity) {
    std::string bytes;
    for (const char16_t* c = text; c != text + count; ++c) {
      const int tail = *c < 0x80 ? 0 : *c < 0x800 ? 1 : 2;
      const unsigned lead[] = {0x00, 0xC0, 0xE0};
      bytes += static_cast<char>(lead[tail] | *c >> 6 * tail);
      for (int t = tail - 1; t >= 0; --t) bytes += static_cast<char>(0x80 | (*c >> 6 * t & 0x3F));
    }
    return bytes.size() > capacity ? 0 : bytes.copy(out, capacity);
  };
  const std::u16string cjk(165, u'\u904A');  // 495 bytes
  std::string cjkBytes;
  for (int i = 0; i < 165; ++i) cjkBytes += "\xE9\x81\x8A";
  const std::pair<std::u16string, std::string> cases[] = {
      {u"C:\\\u0418\u0433\u0440\u0430", "\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\","},
      {u"C:\\" + cjk + cjk, "\"C:\\" + cjkBytes + "\","},
      {u"a" + cjk + u"\U0001F600", "\"a" + cjkBytes + "\","},  // the pair's first half would fit
      {u"", "\"\","},
  };
  for (const auto& [value, report] : cases) {
    ResetReportBuffer();
    AppendQuoted(value.c_str(), value.size());
    AppendText(",");
    EXPECT_EQ(ReportBuffer(), report);
  }
  win::Api() = win::DefaultApi();
}

const FakeModule kDemo{u"demo.exe", u"C:\\Games\\Demo\\demo.exe", 1236992};
const FakeModule kRender{u"render.dll", u"C:\\Games\\Demo\\render.dll", 524288};
const std::string kDemoModules =
    "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992},"
    "{\"Name\": \"render.dll\",\"Path\": \"C:\\Games\\Demo\\render.dll\",\"Size\": 524288}]";

// Each export's text replaces the previous report. Id 0 is the calling
// process (4242 here); a size reads as signed 32-bit; GetExePath gives the
// first module's path. A snapshot that has no first entry (8) or fails (9)
// gives the empty text.
TEST(ModuleReports, ModuleProfileAndExePath) {
  struct Case {
    uint32_t id;
    std::vector<FakeModule> modules;
    const char* exePath;
    std::string profile;
  };
  const Case cases[] = {{0, {kDemo, kRender}, "C:\\Games\\Demo\\demo.exe", kDemoModules},
                        {7, {{u"a.dll", u"a", 0x80000000u}, {u"b.dll", u"b", 0}}, "a",
                         "[{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -2147483648},"
                         "{\"Name\": \"b.dll\",\"Path\": \"b\",\"Size\": 0}]"},
                        {8, {}, "", ""},
                        {9, {}, "", ""}};
  for (const Case& c : cases) {
    FakeWindows fake;
    if (c.id != 9) fake.modules[c.id == 0 ? 4242 : c.id] = c.modules;
    ResetReportBuffer();
    AppendText("previous report");
    EXPECT_STREQ(GetExePath(c.id), c.exePath) << c.id;
    EXPECT_EQ(GetModuleProfile(c.id), c.profile) << c.id;
    EXPECT_TRUE(fake.clean()) << c.id;
  }
}

// The worked example: process 0 skipped; 4242 unsigned, with its modules;
// 300, a service that opens only for the rights that read a path, verified,
// and 301 of the same file, whose kept verdict and line serve again; 5120 that
// will not open (it exited after the snapshot; its module snapshot fails) and
// 77 that exits before its path is read (its module list is empty): both
// listed unverified; 88, protected and unsigned: listed with its path. Then
// the same inventory again (nothing kept between calls); each process's
// verdict; an inventory where every process passes, and the two failures of
// the process snapshot.
TEST(ProcessReports, InventoryAndVerdicts) {
  FakeWindows fake;
  fake.processes = {{0, u"[System Process]", u""},
                    {4242, u"demo.exe", u"C:\\Games\\Demo\\demo.exe"},
                    {300, u"svchost.exe", u"C:\\Windows\\svchost.exe", kLimitedRights},  // as long as demo.exe's path
                    {5120, u"tool.exe", u"C:\\Tools\\tool.exe", 0},
                    {301, u"svchost.exe", u"C:\\Windows\\svchost.exe"},
                    {77, u"x.exe", u"C:\\x.exe", kAnyRights, false},
                    {88, u"agent.exe", u"C:\\Agent\\agent.exe", kLimitedRights}};
  fake.modules = {{4242, {kDemo, kRender}}, {300, {kDemo}}, {301, {kDemo}}, {77, {}}};
  // The empty path, were it checked, would pass.
  fake.trust = {{u"C:\\Windows\\svchost.exe", {0, 0}}, {u"", {0, 0}}};
  const std::string inventory = QZS_glosdi();
  EXPECT_EQ(inventory, "{\"Process\": [{\"Id\": 4242,\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\","
                       "\"Module\": " + kDemoModules + "},{\"Id\": 5120,\"Name\": \"tool.exe\",\"Path\": \"\"},"
                       "{\"Id\": 77,\"Name\": \"x.exe\",\"Path\": \"\"},"
                       "{\"Id\": 88,\"Name\": \"agent.exe\",\"Path\": \"C:\\Agent\\agent.exe\"}]}");
  const std::u16string verified = u"The file \"C:\\Windows\\svchost.exe\" is signed and the signature was verified.\n";
  EXPECT_EQ(fake.printed, (std::vector<std::u16string>{u"The file \"C:\\Games\\Demo\\demo.exe\" is not signed.\n",
                                                       verified, verified,
                                                       u"The file \"C:\\Agent\\agent.exe\" is not signed.\n"}));
  EXPECT_EQ(fake.checked.size(), 3u) << "each distinct file is checked once";
  EXPECT_EQ(QZS_glosdi(), inventory);
  EXPECT_EQ(fake.checked.size(), 6u) << "and again in the next call";

  // VerifyProcessProfile(0) checks the calling process (4242 here), as the
  // other exports that take a process id do. A path that cannot be read is
  // not checked, nor is one of 260 units, which would not fit with its
  // terminator (91; 90's 259 units fit). An id is written as signed decimal.
  const std::u16string deep = u"C:\\" + std::u16string(252, u'd') + u".exe";
  fake.processes.push_back({90, u"d.exe", deep}), fake.processes.push_back({91, u"d.exe", deep + u"x"});
  const std::pair<uint32_t, std::string> verdicts[] = {
      {0, "4242,\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Verdict\": \"FAILED"},
      {300, "300,\"Path\": \"C:\\Windows\\svchost.exe\",\"Verdict\": \"PASSED"},
      {88, "88,\"Path\": \"C:\\Agent\\agent.exe\",\"Verdict\": \"FAILED"},
      {90, "90,\"Path\": \"C:\\" + std::string(252, 'd') + ".exe\",\"Verdict\": \"FAILED"},
      {91, "91,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {5120, "5120,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {77, "77,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {0xFFFFFFFF, "-1,\"Path\": \"\",\"Verdict\": \"FAILED"}};
  for (const auto& [id, verdict] : verdicts) EXPECT_EQ(VerifyProcessProfile(id), "{\"Id\": " + verdict + "\"}") << id;

  fake.trust[u"C:\\Games\\Demo\\demo.exe"] = {0, 0};
  fake.processes.resize(3);
  EXPECT_STREQ(QZS_glosdi(), "{\"Process\": []}");
  fake.processes.clear();
  EXPECT_STREQ(QZS_glosdi(), "{\"Error\" : \"Proc Snap : First value handle failed to get\"}");
  fake.processSnapshotFails = true;
  EXPECT_STREQ(QZS_glosdi(), "{\"Error\" : \"Proc Snap : Invalid Handle\"}");
  EXPECT_TRUE(fake.clean());
}

// More distinct files than the inventory's verdict table holds (256): each
// process is still listed and its file checked, and the table is not overrun.
TEST(ProcessReports, MoreDistinctFilesThanTheVerdictTableHolds) {
  FakeWindows fake;
  for (uint32_t id = 1; id <= 300; ++id) {
    const std::string digits = std::to_string(id);
    fake.processes.push_back({id, u"p.exe", u"C:\\" + std::u16string(digits.begin(), digits.end())});
  }
  EXPECT_EQ(std::string(QZS_glosdi()).substr(0, 54), "{\"Process\": [{\"Id\": 1,\"Name\": \"p.exe\",\"Path\": \"C:\\1\"},");
  EXPECT_EQ(fake.checked.size(), 300u);
}

// No report block (a fragmented 32-bit address space): every reporting export
// answers a static text, never null, and asks the platform nothing; later
// appends are dropped.
TEST(NoReportBlock, StaticTextsAndNothingAsked) {
  FakeWindows fake;
  ResetReportBuffer();
  AppendText("previous report");
  fake.refuseAllocation = true;
  for (auto reportExport : {&GetModuleProfile, &GetExePath, &VerifyProcessProfile}) EXPECT_STREQ(reportExport(0), "");
  EXPECT_STREQ(QZS_glosdi(), "");
  EXPECT_STREQ(VerifyEmbeddedSignatureLua("C:\\Games\\Demo\\demo.exe", 22), "FAILED");
  EXPECT_TRUE(fake.calls.empty() && fake.checked.empty());
  AppendText("dropped");
  EXPECT_EQ(ReportLength(), 0u);
}

}  // namespace
}  // namespace qz::test
