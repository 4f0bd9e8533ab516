// What the loader sees of QZSteam.dll: an i386 image whose export table is
// exactly the export list, undecorated, and which imports nothing but
// Windows' own DLLs (the MinGW runtime is linked in; steam_api.dll is loaded
// at run time, never imported).
#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <string>

#include "dll_under_test.h"
#include "pe_image.h"

namespace {

TEST(ShippedDll, AnI386ImageExportingExactlyTheListAndImportingOnlySystemDlls) {
  PeImage image;
  std::string error;
  ASSERT_TRUE(ReadPeImage(ProgramFolder() + L"\\QZSteam.dll", &image, &error)) << error;
  EXPECT_EQ(image.machine, 0x14c);
  const std::set<std::string> exports = {
#include "expected_exports.inc"
  };
  EXPECT_EQ(std::set<std::string>(image.exportNames.begin(), image.exportNames.end()), exports);
  const std::set<std::string> system = {"kernel32.dll", "msvcrt.dll", "wintrust.dll",
                                        "psapi.dll",    "user32.dll", "advapi32.dll"};
  EXPECT_FALSE(image.importedDlls.empty());
  for (std::string dll : image.importedDlls) {
    for (char& c : dll) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(system.count(dll), 1u) << "imports " << dll;
  }
}

}  // namespace
