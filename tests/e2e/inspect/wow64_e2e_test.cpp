// The WOW64 switch: afterwards this 32-bit thread sees the real system folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "dll_under_test.h"
#include "inspection_calls.h"
#include "pe_image.h"

namespace {

uint16_t SystemKernel32Machine() {
  PeImage image;
  std::string error;
  EXPECT_TRUE(ReadPeImage(L"C:\\windows\\system32\\kernel32.dll", &image, &error)) << error;
  return image.machine;
}

// Flag 0 leaves redirection on, flag 1 switches it off; neither touches the last report.
TEST(Wow64OnWindows, FlagOneSwitchesRedirectionOffForTheCallingThread) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  const char* report = CallReport("GetExePath", {0});
  const std::string before = report;
  EXPECT_EQ(CallExport("DisableWow64Redirection", {0}), 0u);
  EXPECT_EQ(SystemKernel32Machine(), 0x14c);
  EXPECT_EQ(CallExport("DisableWow64Redirection", {1}), 0u);
  EXPECT_EQ(SystemKernel32Machine(), 0x8664);
  EXPECT_EQ(report, before);
}

}  // namespace
