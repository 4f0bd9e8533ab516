// DisableWow64Redirection: the per-call lookup and when the switch is thrown.
#include <gtest/gtest.h>

#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"

namespace qz::test {
namespace {

TEST(Wow64Redirection, LooksUpAtEveryCallAndSwitchesOnlyForFlagOne) {
  struct Case {
    bool hasKernel32, hasSwitch;
    int flag;
    std::size_t steps;  // how many of the calls below each export call makes
  };
  const std::vector<std::string> steps = {"GetModuleHandleA(kernel32.dll)",
                                          "GetProcAddress(Wow64DisableWow64FsRedirection)",
                                          "Wow64DisableWow64FsRedirection"};
  // The last two: 32-bit Windows without the function, a process without kernel32.
  const Case cases[] = {{true, true, 1, 3}, {true, true, 0, 2}, {true, true, 2, 2}, {true, false, 1, 2}, {false, true, 1, 1}};
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.hasKernel32 = c.hasKernel32;
    fake.hasWow64Switch = c.hasSwitch;
    EXPECT_EQ(DisableWow64Redirection(c.flag), 0);
    EXPECT_EQ(DisableWow64Redirection(c.flag), 0);
    std::vector<std::string> twice(steps.begin(), steps.begin() + c.steps);
    twice.insert(twice.end(), steps.begin(), steps.begin() + c.steps);
    EXPECT_EQ(fake.calls, twice) << "flag " << c.flag;
  }
}

}  // namespace
}  // namespace qz::test
