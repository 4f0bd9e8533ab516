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

TEST(Wow64OnWindows, FlagOneSwitchesRedirectionOffForTheCallingThread) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  EXPECT_EQ(SystemKernel32Machine(), 0x14c);
  EXPECT_EQ(CallExport("DisableWow64Redirection", {0}), 0u);
  EXPECT_EQ(CallExport("DisableWow64Redirection", {2}), 0u);
  EXPECT_EQ(SystemKernel32Machine(), 0x14c) << "other flags leave redirection on";
  EXPECT_EQ(CallExport("DisableWow64Redirection", {1}), 0u);
  EXPECT_EQ(SystemKernel32Machine(), 0x8664);
  EXPECT_EQ(CallExport("DisableWow64Redirection", {0}), 0u);
  EXPECT_EQ(SystemKernel32Machine(), 0x8664) << "nothing switches it back on";
}

}  // namespace
