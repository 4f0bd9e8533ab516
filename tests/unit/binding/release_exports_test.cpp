// The binding's choice for the export table of every real 32-bit
// steam_api.dll release: the start function, the accessor of each interface
// and the stat methods it takes, whether it accepts the DLL, and that every
// function it takes is one the release exports.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "steam/export_binding.h"

namespace {

using qz::steam::SteamFlatApi;

// The lookup hands out the address of the name in the release's list, so an
// entry tells which export filled it.
void* Lookup(void* exports, const char* name) {
  const auto& names = *static_cast<const std::set<std::string>*>(exports);
  auto it = names.find(name);
  return it == names.end() ? nullptr : const_cast<char*>(it->c_str());
}

template <class Entry>
std::string Chosen(Entry entry) {
  return entry ? reinterpret_cast<const char*>(reinterpret_cast<void*>(entry)) : "";
}

std::string Versioned(const char* accessor, int version) {
  return std::string("SteamAPI_") + accessor + (version < 10 ? "_v00" : "_v0") + std::to_string(version);
}

TEST(ReleaseExports, TheBindingTakesWhatEachReleaseNeedsAndNothingItLacks) {
  int releases = 0;
  for (const auto& file : std::filesystem::directory_iterator(QZ_STEAM_SDK_EXPORTS)) {
    const std::string release = file.path().stem().string();  // "1.58a"
    std::ifstream in(file.path());
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line, "#machine 0x14c") << release << " is the 32-bit DLL";
    std::set<std::string> exports;
    while (std::getline(in, line)) exports.insert(line);
    ++releases;

    const int minor = std::atoi(release.c_str() + 2);
    const bool lettered = !release.empty() && release.back() >= 'a';
    const SteamFlatApi t = qz::steam::BindExports(&Lookup, &exports);
    SCOPED_TRACE(release);

    const bool supported = (minor >= 32 && minor <= 36) || minor >= 48;
    EXPECT_EQ(qz::steam::HasRequiredFunctions(t), supported);
    if (!supported) continue;

    const std::string start = !Chosen(t.InitFlat).empty() ? Chosen(t.InitFlat)
                              : !Chosen(t.InternalInit).empty() ? Chosen(t.InternalInit)
                                                                : Chosen(t.Init);
    EXPECT_EQ(start, minor >= 59   ? "SteamAPI_InitFlat"
                     : minor == 58 ? "SteamInternal_SteamAPI_Init"
                                   : "SteamAPI_Init");
    EXPECT_EQ(Chosen(t.Stats_RequestCurrentStats).empty(), minor >= 61) << "stood in for from 1.61 on";

    if (minor <= 36) {
      EXPECT_EQ(Chosen(t.SteamUser) + Chosen(t.SteamUserStats) + Chosen(t.SteamFriends) + Chosen(t.SteamUtils) +
                    Chosen(t.SteamHTTP),
                "SteamUserSteamUserStatsSteamFriendsSteamUtilsSteamHTTP");
      EXPECT_EQ(Chosen(t.Stats_GetStatFloat), "SteamAPI_ISteamUserStats_GetStat0");
      EXPECT_EQ(Chosen(t.Stats_SetStatInt32), "SteamAPI_ISteamUserStats_SetStat");
      continue;
    }
    const int user = minor == 48 ? 20 : minor <= 55 ? 21 : minor == 56 ? 22 : 23;
    const int stats = minor == 48 ? 11 : minor <= 60 ? 12 : 13;
    const int utils = minor <= 49 ? 9 : (minor == 65 && lettered) ? 11 : 10;
    EXPECT_EQ(Chosen(t.SteamUser), Versioned("SteamUser", user));
    EXPECT_EQ(Chosen(t.SteamUserStats), Versioned("SteamUserStats", stats));
    EXPECT_EQ(Chosen(t.SteamFriends), Versioned("SteamFriends", minor >= 62 ? 18 : 17));
    EXPECT_EQ(Chosen(t.SteamUtils), Versioned("SteamUtils", utils));
    EXPECT_EQ(Chosen(t.SteamHTTP), Versioned("SteamHTTP", 3));
    EXPECT_EQ(Chosen(t.Stats_GetStatFloat), "SteamAPI_ISteamUserStats_GetStatFloat");
    EXPECT_EQ(Chosen(t.Stats_SetStatInt32), "SteamAPI_ISteamUserStats_SetStatInt32");
  }
  EXPECT_EQ(releases, 36) << "1.31 to 1.65a without 1.44 and 1.56";
}

}  // namespace
