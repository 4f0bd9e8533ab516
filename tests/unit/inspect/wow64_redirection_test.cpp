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
    std::vector<std::string> calls;
  };
  const std::string module = "GetModuleHandleA(kernel32.dll)";
  const std::string lookup = "GetProcAddress(Wow64DisableWow64FsRedirection)";
  const std::string disable = "Wow64DisableWow64FsRedirection";
  const Case cases[] = {
      {true, true, 1, {module, lookup, disable}},
      {true, true, 0, {module, lookup}},
      {true, true, 2, {module, lookup}},
      {true, false, 1, {module, lookup}},  // 32-bit Windows: no such function
      {false, true, 1, {module}},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.hasKernel32 = c.hasKernel32;
    fake.hasWow64Switch = c.hasSwitch;
    EXPECT_EQ(DisableWow64Redirection(c.flag), 0);
    EXPECT_EQ(DisableWow64Redirection(c.flag), 0);
    std::vector<std::string> twice = c.calls;
    twice.insert(twice.end(), c.calls.begin(), c.calls.end());
    EXPECT_EQ(fake.calls, twice) << "flag " << c.flag;
  }
}

}  // namespace
}  // namespace qz::test
