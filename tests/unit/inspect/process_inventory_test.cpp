// QZS_glosdi and VerifyProcessProfile against scripted process lists, module
// snapshots and trust statuses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

constexpr uint32_t kVerified = 0, kNotSigned = 0x800B0100, kNotTrusted = 0x800B0004, kDistrusted = 0x800B0111;

// Builds the inventory and checks what must hold after every run.
std::string Inventory(FakeWindows& fake) {
  std::string report = QZS_glosdi();
  EXPECT_EQ(fake.calls.front(), "allocate");
  EXPECT_TRUE(fake.allClosed()) << report;
  return report;
}

// The worked example: process 0 skipped, 4242 unsigned with its modules, 300
// verified, 5120 unopenable and its module snapshot failing.
TEST(ProcessInventory, ListsTheProcessesThatDoNotVerifyExactly) {
  FakeWindows fake;
  fake.processes = {{0, u"[System Process]", u""},
                    {4242, u"demo.exe", u"C:\\Games\\Demo\\demo.exe"},
                    {300, u"svc.exe", u"C:\\Windows\\svc.exe"},
                    {5120, u"tool.exe", u"C:\\Tools\\tool.exe", false}};
  fake.trust[u"C:\\Windows\\svc.exe"] = {kVerified};
  fake.modules[4242] = {kDemo, kRender};
  fake.modules[300] = {kDemo};  // 5120's module snapshot fails
  EXPECT_EQ(Inventory(fake),
            "{\"Process\": [{\"Id\": 4242,\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Module\": "
            "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992},{\"Name\": "
            "\"render.dll\",\"Path\": \"C:\\Games\\Demo\\render.dll\",\"Size\": 524288}]},{\"Id\": 5120,\"Name\": "
            "\"tool.exe\",\"Path\": \"\"}]}");
  EXPECT_EQ(fake.printed, (std::vector<std::u16string>{
                              u"The file \"C:\\Games\\Demo\\demo.exe\" is not signed.\n",
                              u"The file \"C:\\Windows\\svc.exe\" is signed and the signature was verified.\n"}));
  EXPECT_EQ(fake.count("CreateToolhelp32Snapshot(2,0)"), 1);
  EXPECT_EQ(fake.count("OpenProcess(0x1F0FFF,0,4242)"), 1);
  EXPECT_EQ(fake.count("OpenProcess(0x1F0FFF,0,0)"), 0);
  EXPECT_EQ(fake.count("GetModuleFileNameExW(null,260)"), 2);
}

TEST(ProcessInventory, ProcessSnapshotFailuresGiveTheErrorMember) {
  for (bool snapshotFails : {true, false}) {
    FakeWindows fake;  // no processes: the list has no first entry
    fake.processSnapshotFails = snapshotFails;
    EXPECT_EQ(Inventory(fake), snapshotFails ? "{\"Error\" : \"Proc Snap : Invalid Handle\"}"
                                             : "{\"Error\" : \"Proc Snap : First value handle failed to get\"}");
    EXPECT_EQ(fake.handlesOpened, snapshotFails ? 0 : 1);
  }
}

// Which processes are listed, and that the first listed one never gets a
// comma. Process 0 comes first and is skipped though its file is not signed.
TEST(ProcessInventory, SkipsIdZeroAndPassingExecutablesWithoutStrayCommas) {
  struct Case {
    std::vector<uint32_t> statuses;  // of processes 1, 2, 3 ... (p<id>.exe at C:\<id>)
    const char* listed;              // ids in the report
  };
  const Case cases[] = {{{kVerified, kNotTrusted}, ""},
                        {{kVerified, kNotSigned, kNotTrusted, kDistrusted}, "2,4"},
                        {{0x80096010, kVerified, kVerified}, "1"}};
  for (const Case& c : cases) {
    FakeWindows fake;
    for (uint32_t id = 0; id <= c.statuses.size(); ++id) {
      const std::u16string digit(1, u'0' + id);
      fake.processes.push_back({id, u"p" + digit + u".exe", u"C:\\" + digit});
      fake.trust[u"C:\\" + digit] = {id == 0 ? kNotSigned : c.statuses[id - 1]};
    }
    std::string expected = "{\"Process\": [";
    for (const char* id = c.listed; *id != 0; ++id)
      expected += *id == ',' ? std::string(",")
                             : std::string("{\"Id\": ") + *id + ",\"Name\": \"p" + *id + ".exe\",\"Path\": \"C:\\" + *id + "\"}";
    EXPECT_EQ(Inventory(fake), expected + "]}") << c.listed;
    EXPECT_EQ(fake.printed.size(), c.statuses.size()) << "process 0 is never opened nor verified";
  }
}

// A process whose path cannot be read (one that will not open is in the
// worked example) is listed unverified and, its module list being empty,
// without a module member.
TEST(ProcessInventory, ProcessWithoutReadablePathIsListedUnverified) {
  FakeWindows fake;
  fake.processes = {{77, u"x.exe", u"C:\\x.exe", true, false}};
  fake.modules[77] = {};
  EXPECT_EQ(Inventory(fake), "{\"Process\": [{\"Id\": 77,\"Name\": \"x.exe\",\"Path\": \"\"}]}");
  EXPECT_TRUE(fake.trustCalls.empty());
  EXPECT_EQ(fake.handlesOpened, 3) << "process snapshot, process, module snapshot";
}

// 300 processes of 100 modules make more than 3 MB of text: the report is cut
// at the capacity and stays terminated.
TEST(ProcessInventory, OversizedReportStaysBoundedAndTerminated) {
  FakeWindows fake;
  std::vector<FakeModule> many(100, FakeModule{u"module.dll", u"C:\\Program Files\\Vendor\\module.dll", 65536});
  for (uint32_t id = 1; id <= 300; ++id) {
    fake.processes.push_back({id, u"p.exe", u"C:\\unsigned.exe"});
    fake.modules[id] = many;
  }
  const char* report = QZS_glosdi();
  EXPECT_EQ(std::strlen(report), report::kReportCapacity - 1);
  EXPECT_EQ(std::string(report, 28), "{\"Process\": [{\"Id\": 1,\"Name\"");
  EXPECT_TRUE(fake.allClosed());
  EXPECT_EQ(fake.count("OpenProcess(0x1F0FFF,0,300)"), 1) << "every process is still visited";
  EXPECT_EQ(fake.count("WinVerifyTrust(verify)"), 1) << "one file, checked once";
  EXPECT_EQ(fake.printed, std::vector<std::u16string>(300, u"The file \"C:\\unsigned.exe\" is not signed.\n"));
}

// VerifyProcessProfile: one process's main executable and whether it passes.
// The path is verified only when it can be read; the verdict follows the
// check's result (a present but untrusted signature passes). Id 0 is the
// calling process, 4242 in the fake.
TEST(ProcessVerdict, ReportsPathAndVerdict) {
  struct Case {
    uint32_t id;
    bool opens, pathReadable;
    uint32_t status;
    const char* verdict;
  };
  const Case cases[] = {{4242, true, true, 0, "PASSED"},         {4242, true, true, 0x800B0004, "PASSED"},
                        {4242, true, true, 0x800B0100, "FAILED"}, {4242, false, true, 0, "FAILED"},
                        {4242, true, false, 0, "FAILED"},         {0, true, true, 0, "PASSED"}};
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.processes = {{4242, u"demo.exe", u"C:\\Games\\demo.exe", c.opens, c.pathReadable}};
    fake.trust[u"C:\\Games\\demo.exe"] = {c.status};
    const bool read = c.opens && c.pathReadable;
    EXPECT_EQ(std::string(VerifyProcessProfile(c.id)), std::string("{\"Id\": 4242,\"Path\": \"") +
                                                           (read ? "C:\\Games\\demo.exe" : "") +
                                                           "\",\"Verdict\": \"" + c.verdict + "\"}");
    EXPECT_EQ(fake.calls.front(), "allocate");
    EXPECT_EQ(fake.printed.size(), read ? 1u : 0u);
    EXPECT_TRUE(fake.allClosed());
  }
  FakeWindows none;  // no such process; the id is written as signed decimal
  EXPECT_STREQ(VerifyProcessProfile(0xFFFFFFFF), "{\"Id\": -1,\"Path\": \"\",\"Verdict\": \"FAILED\"}");
  EXPECT_TRUE(none.trustCalls.empty());
}

}  // namespace
}  // namespace qz::test
