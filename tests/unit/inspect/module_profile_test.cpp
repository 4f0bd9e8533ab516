// GetModuleProfile and GetExePath against scripted module snapshots.
#include <gtest/gtest.h>

#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

// The worked example, and three modules of an image size read as signed
// 32-bit, for process 0 (the calling process, passed through as it is).
TEST(ModuleProfile, ListsEveryModuleOfTheProcessExactly) {
  struct Case {
    uint32_t id;
    std::vector<FakeModule> modules;
    const char* report;
  };
  const FakeModule big{u"a.dll", u"a", 0xFFFFFFFFu};
  const std::string bigText = "{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -1}";
  const std::string three = "[" + bigText + "," + bigText + "," + bigText + "]";
  const Case cases[] = {
      {4242, {kDemo, kRender},
       "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992},"
       "{\"Name\": \"render.dll\",\"Path\": \"C:\\Games\\Demo\\render.dll\",\"Size\": 524288}]"},
      {0, {big, big, big}, three.c_str()},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.modules[c.id] = {false, c.modules};
    EXPECT_STREQ(GetModuleProfile(c.id), c.report);
    EXPECT_EQ(fake.calls.at(0), "allocate");
    EXPECT_EQ(fake.calls.at(1), "CreateToolhelp32Snapshot(15," + std::to_string(c.id) + ")");
    EXPECT_TRUE(fake.allClosed());
  }
}

TEST(ExePath, IsTheBarePathOfTheFirstModule) {
  FakeWindows fake;
  fake.modules[4242] = {false, {kDemo, kRender}};
  EXPECT_STREQ(GetExePath(4242), "C:\\Games\\Demo\\demo.exe");
  EXPECT_EQ(fake.count("Module32NextW"), 0);
  EXPECT_TRUE(fake.allClosed());
}

// Both exports give the empty text, not a null pointer, and close what they opened.
TEST(ModuleProfile, FailedOrEmptySnapshotGivesTheEmptyText) {
  struct Case {
    const char* failure;
    bool scripted, fails;
  };
  for (const Case c : {Case{"no such process", false, false}, {"snapshot fails", true, true}, {"no first entry", true, false}}) {
    for (auto report : {&GetModuleProfile, &GetExePath}) {
      FakeWindows fake;
      if (c.scripted) fake.modules[9] = {c.fails, {}};
      report::ResetReportBuffer();
      report::AppendReportText("previous report");
      const char* text = report(9);
      ASSERT_NE(text, nullptr) << c.failure;
      EXPECT_STREQ(text, "") << c.failure;
      EXPECT_TRUE(fake.allClosed()) << c.failure;
    }
  }
}

}  // namespace
}  // namespace qz::test
