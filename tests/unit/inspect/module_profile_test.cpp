// GetModuleProfile and GetExePath against scripted module snapshots.
#include <gtest/gtest.h>

#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

// The worked examples, and one module whose image size reads as signed
// 32-bit, of process 0 (the calling process, passed through as it is).
// GetExePath reads the first module only.
TEST(ModuleProfile, ListsEveryModuleOfTheProcessExactly) {
  struct Case {
    uint32_t id;
    std::vector<FakeModule> modules;
    const char *exePath, *report;
  };
  const Case cases[] = {
      {4242, {kDemo, kRender}, "C:\\Games\\Demo\\demo.exe",
       "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992},"
       "{\"Name\": \"render.dll\",\"Path\": \"C:\\Games\\Demo\\render.dll\",\"Size\": 524288}]"},
      {0, {{u"a.dll", u"a", 0xFFFFFFFFu}}, "a", "[{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -1}]"},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.modules[c.id] = c.modules;
    EXPECT_STREQ(GetExePath(c.id), c.exePath);
    EXPECT_EQ(fake.count("Module32NextW"), 0);
    EXPECT_EQ(fake.calls.at(0), "allocate");
    EXPECT_EQ(fake.calls.at(1), "CreateToolhelp32Snapshot(15," + std::to_string(c.id) + ")");
    EXPECT_STREQ(GetModuleProfile(c.id), c.report);
    EXPECT_EQ(fake.count("CreateToolhelp32Snapshot(15," + std::to_string(c.id) + ")"), 2);
    EXPECT_TRUE(fake.allClosed());
  }
}

// Both exports give the empty text, not a null pointer, and close what they opened.
TEST(ModuleProfile, FailedOrEmptySnapshotGivesTheEmptyText) {
  for (bool snapshotFails : {true, false}) {
    for (auto report : {&GetModuleProfile, &GetExePath}) {
      FakeWindows fake;
      if (!snapshotFails) fake.modules[9] = {};  // no first entry
      report::ResetReportBuffer();
      report::AppendReportText("previous report");
      const char* text = report(9);
      ASSERT_NE(text, nullptr) << snapshotFails;
      EXPECT_STREQ(text, "") << snapshotFails;
      EXPECT_TRUE(fake.allClosed()) << snapshotFails;
    }
  }
}

}  // namespace
}  // namespace qz::test
