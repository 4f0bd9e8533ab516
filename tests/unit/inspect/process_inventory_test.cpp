// QZS_glosdi against scripted process lists, module snapshots and trust statuses.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

const FakeModule kDemo{u"demo.exe", u"C:\\Games\\Demo\\demo.exe", 1236992};
const FakeModule kRender{u"render.dll", u"C:\\Games\\Demo\\render.dll", 524288};
constexpr uint32_t kVerified = 0, kNotTrusted = 0x800B0004, kDistrusted = 0x800B0111;

// Builds the inventory and checks what must hold after every run.
std::string Inventory(FakeWindows& fake) {
  std::string report = QZS_glosdi();
  EXPECT_EQ(fake.calls.front(), "allocate");
  EXPECT_EQ(fake.openHandles(), 0) << report;
  EXPECT_EQ(fake.unknownCloses, 0) << report;
  return report;
}

// A running process whose executable at `path` the trust provider answers with `status`.
void AddProcess(FakeWindows& fake, uint32_t id, const std::u16string& path, uint32_t status) {
  fake.processes.push_back({id, u"p" + std::u16string(1, u'0' + id % 10) + u".exe", path});
  fake.trust[path] = {status};
}

TEST(ProcessInventory, ListsTheProcessesThatDoNotVerifyExactly) {
  FakeWindows fake;
  fake.processes = {{0, u"[System Process]", u""},
                    {4242, u"demo.exe", u"C:\\Games\\Demo\\demo.exe"},
                    {300, u"svc.exe", u"C:\\Windows\\svc.exe"},
                    {5120, u"tool.exe", u"C:\\Tools\\tool.exe", false}};
  fake.trust[u"C:\\Windows\\svc.exe"] = {kVerified};
  fake.modules[4242] = {false, {kDemo, kRender}};
  fake.modules[300] = {false, {kDemo}};
  fake.modules[5120] = {true, {}};
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
  struct Case {
    bool snapshotFails;
    const char* report;
    int handles;
  };
  const Case cases[] = {{true, "{\"Error\" : \"Proc Snap : Invalid Handle\"}", 0},
                        {false, "{\"Error\" : \"Proc Snap : First value handle failed to get\"}", 1}};
  for (const Case& c : cases) {
    FakeWindows fake;  // no processes: the list has no first entry
    fake.processSnapshotFails = c.snapshotFails;
    EXPECT_EQ(Inventory(fake), c.report);
    EXPECT_EQ(fake.handlesOpened, c.handles);
  }
}

// Which processes are listed, and that the first listed one never gets a comma.
TEST(ProcessInventory, SkipsIdZeroAndPassingExecutablesWithoutStrayCommas) {
  struct Case {
    std::vector<uint32_t> statuses;  // of processes 1, 2, 3 ...
    bool idZeroFirst;
    const char* listed;  // ids in the report
  };
  const Case cases[] = {
      {{kVerified, kNotTrusted}, true, ""},
      {{kVerified, 0x800B0100, kNotTrusted, kDistrusted}, true, "2,4"},
      {{0x80096010, kVerified, kVerified}, false, "1"},
      {{kNotTrusted, kVerified, 0x12345}, false, "3"},
      {{kDistrusted}, true, "1"},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    if (c.idZeroFirst) AddProcess(fake, 0, u"C:\\idle.exe", 0x800B0100);
    for (uint32_t i = 0; i < c.statuses.size(); ++i) AddProcess(fake, i + 1, u"C:\\" + std::u16string(1, u'a' + i), c.statuses[i]);
    std::string expected = "{\"Process\": [";
    for (const char* id = c.listed; *id != 0; ++id) {
      if (*id == ',') { expected += ","; continue; }
      expected += std::string("{\"Id\": ") + *id + ",\"Name\": \"p" + *id + ".exe\",\"Path\": \"C:\\" +
                  char('a' + (*id - '1')) + "\"}";
    }
    EXPECT_EQ(Inventory(fake), expected + "]}") << c.listed;
    EXPECT_EQ(fake.printed.size(), c.statuses.size()) << "process 0 is never opened nor verified";
  }
}

TEST(ProcessInventory, ProcessWithoutReadablePathIsListedUnverified) {
  struct Case {
    bool opens, pathReadable;
  };
  for (const Case c : {Case{false, true}, Case{true, false}}) {
    FakeWindows fake;
    fake.processes = {{77, u"x.exe", u"C:\\x.exe", c.opens, c.pathReadable}};
    fake.modules[77] = {false, {}};  // empty module list: no module member
    EXPECT_EQ(Inventory(fake), "{\"Process\": [{\"Id\": 77,\"Name\": \"x.exe\",\"Path\": \"\"}]}");
    EXPECT_TRUE(fake.trustCalls.empty());
    EXPECT_EQ(fake.handlesOpened, c.opens ? 3 : 2);
  }
}

// 300 processes of 100 modules make more than 3 MB of text: the report is cut
// at the capacity and stays terminated.
TEST(ProcessInventory, OversizedReportStaysBoundedAndTerminated) {
  FakeWindows fake;
  std::vector<FakeModule> many(100, FakeModule{u"module.dll", u"C:\\Program Files\\Vendor\\module.dll", 65536});
  for (uint32_t id = 1; id <= 300; ++id) {
    AddProcess(fake, id, u"C:\\unsigned.exe", 0x800B0100);
    fake.modules[id] = {false, many};
  }
  const char* report = QZS_glosdi();
  EXPECT_EQ(std::strlen(report), report::kReportCapacity - 1);
  EXPECT_EQ(report[report::kReportCapacity - 1], '\0');
  EXPECT_EQ(std::string(report, 28), "{\"Process\": [{\"Id\": 1,\"Name\"");
  EXPECT_EQ(fake.openHandles(), 0);
  EXPECT_EQ(fake.count("OpenProcess(0x1F0FFF,0,300)"), 1) << "every process is still visited";
}

}  // namespace
}  // namespace qz::test
