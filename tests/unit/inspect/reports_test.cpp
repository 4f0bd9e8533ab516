// The report buffer's own rules, and the reporting exports against a scripted
// platform: a process's modules, the inventory of processes that do not
// verify, one process's verdict, and the static texts without a report block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "tests/support/fake_windows.h"

namespace qz::test {
namespace {

using namespace qz::report;

// One block for the process's life, made once. A text past the capacity
// stops at capacity - 1, terminated, and later appends are dropped; each next
// report is in the same block, so an address the game still holds reads the
// newest text, with every byte behind it zero to the block's end.
TEST(ReportBuffer, OneBlockClearedAsFarAsTheLastTextReached) {
  static int allocations = 0;
  win::Api().allocate = [](std::size_t bytes) { return ++allocations, std::calloc(1, bytes); };
  char* const held = ResetReportBuffer();
  AppendText("ab");
  AppendText(std::string(kReportCapacity + 10, 'y').c_str());
  AppendDecimal(7);
  AppendQuoted(u"more");
  EXPECT_EQ(ReportLength(), kReportCapacity - 1);
  EXPECT_EQ(std::strlen(held), kReportCapacity - 1);
  EXPECT_EQ(std::string(held, 3), "aby");
  for (const std::string text : {"a shorter report", ""}) {
    EXPECT_EQ(ResetReportBuffer(), held);
    AppendText(text.c_str());
    EXPECT_EQ(held, text);
    EXPECT_EQ(std::count(held, held + kReportCapacity, '\0'), static_cast<long>(kReportCapacity - text.size()));
  }
  EXPECT_EQ(allocations, 1);
  win::Api() = win::DefaultApi();
}

// Non-ASCII values in a code page of up to three bytes a code unit (UTF-8),
// where a path can pass the 499 bytes of the value scratch: a value is written
// whole or not at all, and the quotes around it are fixed text.
TEST(ReportBuffer, WideValuesAreWholeOrEmpty) {
  win::Api().wideToAnsi = &Utf8CodePage;
  const std::u16string cjk(165, u'\u904A');  // 495 bytes
  std::string cjkBytes;
  for (int i = 0; i < 165; ++i) cjkBytes += "\xE9\x81\x8A";
  const std::pair<std::u16string, std::string> cases[] = {
      {u"C:\\\u0418\u0433\u0440\u0430", "\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\","},
      {u"C:\\" + cjk + u"d", "\"C:\\" + cjkBytes + "d\","},  // 499 bytes
      {u"C:\\" + cjk + u"de", "\"\","},
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
// gives the empty text. Paths are whole or empty: where the snapshot cut a
// path to 259 units, the executable's (the first module's) is read whole from
// the process, or left empty when it cannot be read (11) or passes the 499
// bytes of a value (12); another module's cut path is empty.
TEST(ModuleReports, ModuleProfileAndExePath) {
  const std::u16string deep = u"C:\\" + std::u16string(296, u'g'), tooDeep = deep + std::u16string(201, u'h');  // 500 units
  const std::string deepText = "C:\\" + std::string(296, 'g');
  struct Case {
    uint32_t id;
    std::vector<FakeModule> modules;
    std::u16string image;  // what the process reports read as its path
    std::string exePath, profile;
  };
  const Case cases[] = {{0, {kDemo, kRender}, u"", "C:\\Games\\Demo\\demo.exe", kDemoModules},
                        {7, {{u"a.dll", u"a", 0x80000000u}, {u"b.dll", u"b", 0}}, u"", "a",
                         "[{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -2147483648},"
                         "{\"Name\": \"b.dll\",\"Path\": \"b\",\"Size\": 0}]"},
                        {8, {}, u"", "", ""},
                        {9, {}, u"", "", ""},
                        {0, {{u"d.exe", deep + u"\\d.exe", 1}, {u"d.dll", deep + u"\\d.dll", 2}}, deep + u"\\d.exe",
                         deepText + "\\d.exe",
                         "[{\"Name\": \"d.exe\",\"Path\": \"" + deepText + "\\d.exe\",\"Size\": 1},"
                         "{\"Name\": \"d.dll\",\"Path\": \"\",\"Size\": 2}]"},
                        {11, {{u"d.exe", deep + u"\\d.exe", 1}}, u"", "", "[{\"Name\": \"d.exe\",\"Path\": \"\",\"Size\": 1}]"},
                        {12, {{u"d.exe", tooDeep, 1}}, tooDeep, "", "[{\"Name\": \"d.exe\",\"Path\": \"\",\"Size\": 1}]"}};
  for (const Case& c : cases) {
    FakeWindows fake;
    const uint32_t id = c.id == 0 ? 4242 : c.id;
    if (c.id != 9) fake.modules[id] = c.modules;
    fake.processes = {{id, u"d.exe", c.image, kLimitedRights, !c.image.empty()}};
    ResetReportBuffer();
    AppendText("previous report");
    EXPECT_EQ(GetExePath(c.id), c.exePath) << c.id;
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
  const std::string verified = "The file \"C:\\Windows\\svchost.exe\" is signed and the signature was verified.\n";
  EXPECT_EQ(fake.printed, (std::vector<std::string>{"The file \"C:\\Games\\Demo\\demo.exe\" is not signed.\n",
                                                    verified, verified,
                                                    "The file \"C:\\Agent\\agent.exe\" is not signed.\n"}));
  EXPECT_EQ(fake.checked.size(), 3u) << "each distinct file is checked once";
  EXPECT_EQ(QZS_glosdi(), inventory);
  EXPECT_EQ(fake.checked.size(), 6u) << "and again in the next call";

  // VerifyProcessProfile(0) checks the calling process (4242 here), as the
  // other exports that take a process id do. A path that cannot be read is
  // not checked. Paths are read whole: one of 300 units (90) is checked and
  // written whole, one of 600 (91) is checked whole but written empty, as it
  // passes the 499 bytes of a value, and one of 32768 units (92), one more
  // than the longest Windows path, cannot be read. An id is written as
  // signed decimal.
  const std::u16string deep = u"C:\\" + std::u16string(292, u'd') + u".exe", deeper = deep + std::u16string(300, u'x');
  const std::string deepText = "C:\\" + std::string(292, 'd') + ".exe";
  fake.processes.push_back({90, u"d.exe", deep}), fake.processes.push_back({91, u"d.exe", deeper});
  fake.processes.push_back({92, u"d.exe", u"C:\\" + std::u16string(32765, u'l')});
  const std::pair<uint32_t, std::string> verdicts[] = {
      {0, "4242,\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Verdict\": \"FAILED"},
      {300, "300,\"Path\": \"C:\\Windows\\svchost.exe\",\"Verdict\": \"PASSED"},
      {88, "88,\"Path\": \"C:\\Agent\\agent.exe\",\"Verdict\": \"FAILED"},
      {90, "90,\"Path\": \"" + deepText + "\",\"Verdict\": \"FAILED"},
      {91, "91,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {92, "92,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {5120, "5120,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {77, "77,\"Path\": \"\",\"Verdict\": \"FAILED"},
      {0xFFFFFFFF, "-1,\"Path\": \"\",\"Verdict\": \"FAILED"}};
  for (const auto& [id, verdict] : verdicts) EXPECT_EQ(VerifyProcessProfile(id), "{\"Id\": " + verdict + "\"}") << id;
  EXPECT_EQ(fake.checked.back(), deeper) << "91 is checked whole, and no process after it";

  // In the inventory, the executable's path that the module snapshot cut is
  // the process's whole path, read once.
  fake.processes = {{90, u"d.exe", deep}};
  fake.modules[90] = {{u"d.exe", deep, 1}};
  fake.calls.clear();
  EXPECT_EQ(QZS_glosdi(), "{\"Process\": [{\"Id\": 90,\"Name\": \"d.exe\",\"Path\": \"" + deepText +
                              "\",\"Module\": [{\"Name\": \"d.exe\",\"Path\": \"" + deepText +
                              "\",\"Size\": 1}]}]}");
  EXPECT_EQ(std::count(fake.calls.begin(), fake.calls.end(), "open"), 1);

  fake.processes = {{0, u"[System Process]", u""}, {4242, u"demo.exe", u"C:\\Games\\Demo\\demo.exe"}};
  fake.trust[u"C:\\Games\\Demo\\demo.exe"] = {0, 0};
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
// answers a static text, never null, and asks the platform nothing; appends
// are dropped. The block is made at the first report that can have it, and
// is made once in a process: this test runs in a process of its own.
TEST(NoReportBlock, StaticTextsAndNothingAsked) {
  FakeWindows fake;
  fake.modules[4242] = {kDemo};
  fake.refuseAllocation = true;
  for (auto reportExport : {&GetModuleProfile, &GetExePath, &VerifyProcessProfile}) EXPECT_STREQ(reportExport(0), "");
  EXPECT_STREQ(QZS_glosdi(), "");
  EXPECT_STREQ(VerifyEmbeddedSignatureLua("C:\\Games\\Demo\\demo.exe", 22), "FAILED");
  EXPECT_TRUE(fake.calls.empty() && fake.checked.empty());
  AppendText("dropped");
  EXPECT_EQ(ReportLength(), 0u);
  fake.refuseAllocation = false;
  EXPECT_STREQ(GetExePath(0), "C:\\Games\\Demo\\demo.exe");
}

}  // namespace
}  // namespace qz::test
