// What the loader sees of QZSteam.dll: an i386 image whose export table is
// exactly the export list, and which needs nothing but Windows' own DLLs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "dll_under_test.h"
#include "pe_image.h"

namespace {

PeImage ShippedDll() {
  PeImage image;
  std::string error;
  EXPECT_TRUE(ReadPeImage(ProgramFolder() + L"\\QZSteam.dll", &image, &error)) << error;
  return image;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

TEST(ShippedDll, IsAn_i386Image) { EXPECT_EQ(ShippedDll().machine, 0x14c); }

TEST(ShippedDll, ExportsExactlyTheExportListUndecorated) {
  std::vector<std::string> expected = {
#include "expected_exports.inc"
  };
  std::vector<std::string> actual = ShippedDll().exportNames;
  std::sort(expected.begin(), expected.end());
  std::sort(actual.begin(), actual.end());
  EXPECT_EQ(actual, expected);
  for (const std::string& name : actual) {
    EXPECT_EQ(name.find_first_of("@?"), std::string::npos) << name << " is decorated";
    EXPECT_NE(name[0], '_') << name << " carries a leading underscore";
  }
}

TEST(ShippedDll, ImportsOnlyWindowsSystemDlls) {
  const std::vector<std::string> system = {"kernel32.dll", "msvcrt.dll", "wintrust.dll", "psapi.dll",
                                           "user32.dll",   "advapi32.dll"};
  PeImage image = ShippedDll();
  ASSERT_FALSE(image.importedDlls.empty());
  for (const std::string& dll : image.importedDlls) {
    std::string name = Lower(dll);
    EXPECT_NE(std::find(system.begin(), system.end(), name), system.end()) << "imports " << dll;
    EXPECT_EQ(name.find("libgcc"), std::string::npos);
    EXPECT_EQ(name.find("libstdc++"), std::string::npos);
    EXPECT_EQ(name.find("libwinpthread"), std::string::npos);
    EXPECT_NE(name, "steam_api.dll") << "steam_api.dll is loaded at run time, never imported";
  }
}

}  // namespace
