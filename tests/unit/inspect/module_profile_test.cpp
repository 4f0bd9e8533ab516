// GetModuleProfile and GetExePath against scripted module snapshots.
#include <gtest/gtest.h>

#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"
#include "inspect/report_buffer.h"

namespace qz::test {
namespace {

const FakeModule kDemo{u"demo.exe", u"C:\\Games\\Demo\\demo.exe", 1236992};
const FakeModule kRender{u"render.dll", u"C:\\Games\\Demo\\render.dll", 524288};

TEST(ModuleProfile, ListsEveryModuleOfTheProcessExactly) {
  FakeWindows fake;
  fake.modules[4242] = {false, {kDemo, kRender}};
  EXPECT_STREQ(GetModuleProfile(4242),
               "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992},"
               "{\"Name\": \"render.dll\",\"Path\": \"C:\\Games\\Demo\\render.dll\",\"Size\": 524288}]");
  EXPECT_EQ(fake.calls.front(), "allocate");
  EXPECT_EQ(fake.calls[1], "CreateToolhelp32Snapshot(15,4242)");
  EXPECT_EQ(fake.openHandles(), 0);
}

TEST(ModuleProfile, SeparatesElementsWithSingleCommas) {
  struct Case {
    std::vector<FakeModule> modules;
    const char* report;
  };
  const FakeModule big{u"a.dll", u"a", 0xFFFFFFFFu};  // image size read as signed 32-bit
  const Case cases[] = {
      {{kDemo}, "[{\"Name\": \"demo.exe\",\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 1236992}]"},
      {{big, big, big},
       "[{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -1},{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -1},"
       "{\"Name\": \"a.dll\",\"Path\": \"a\",\"Size\": -1}]"},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.modules[7] = {false, c.modules};
    EXPECT_STREQ(GetModuleProfile(7), c.report);
  }
}

TEST(ModuleProfile, PassesProcessZeroThroughForTheCallingProcess) {
  FakeWindows fake;
  fake.modules[0] = {false, {kDemo}};
  GetModuleProfile(0);
  EXPECT_EQ(fake.count("CreateToolhelp32Snapshot(15,0)"), 1);
}

// Both exports give the empty text, not a null pointer, and close what they opened.
TEST(ModuleProfile, FailedOrEmptySnapshotGivesTheEmptyText) {
  struct Case {
    const char* name;
    bool scripted, fails;
  };
  const Case cases[] = {{"no such process", false, false}, {"snapshot fails", true, true},
                        {"no first entry", true, false}};
  for (const Case& c : cases) {
    for (auto report : {&GetModuleProfile, &GetExePath}) {
      FakeWindows fake;
      if (c.scripted) fake.modules[9] = {c.fails, {}};
      report::ResetReportBuffer();
      report::AppendReportText("previous report");
      const char* text = report(9);
      ASSERT_NE(text, nullptr) << c.name;
      EXPECT_STREQ(text, "") << c.name;
      EXPECT_EQ(fake.openHandles(), 0) << c.name;
      EXPECT_EQ(fake.unknownCloses, 0) << c.name;
    }
  }
}

TEST(ExePath, IsTheBarePathOfTheFirstModule) {
  FakeWindows fake;
  fake.modules[4242] = {false, {kDemo, kRender}};
  EXPECT_STREQ(GetExePath(4242), "C:\\Games\\Demo\\demo.exe");
  EXPECT_EQ(fake.count("Module32NextW"), 0);
  EXPECT_EQ(fake.openHandles(), 0);
}

}  // namespace
}  // namespace qz::test
