// The platform function lists and the binding against the facts of every
// real 32-bit steam_api.dll release (data/steam_api): the start function and
// the interface versions the binding takes from each release's exports, that
// it accepts every release but 1.31, and that each method of the lists sits,
// in the version the release uses, at the slot the release's flat export
// calls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "steam/binding/export_binding.h"

namespace {

using qz::steam::InterfaceId;
using qz::steam::kAbsent;
using qz::steam::R;
using qz::steam::S;
using qz::steam::Slot;
using qz::steam::SteamFlatApi;

const std::filesystem::path kData = QZ_STEAM_API_DATA;

struct Row {
  InterfaceId iface;
  std::vector<std::string> names;
  std::vector<Slot> slots;
};

const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
#define QZ_ROW(use, iface, method, ret, params, call, exports, slots) \
  {InterfaceId::iface, QZ_STEAM_NAME_STRINGS(exports), {QZ_STEAM_UNPAREN slots}},
      QZ_STEAM_METHODS(QZ_ROW)
#undef QZ_ROW
  };
  return rows;
}

const std::map<InterfaceId, std::vector<std::string>>& Versions() {
  static const std::map<InterfaceId, std::vector<std::string>> versions = {
#define QZ_VERSIONS(iface, handle, list) {InterfaceId::iface, {QZ_STEAM_UNPAREN list}},
      QZ_STEAM_INTERFACES(QZ_VERSIONS)
#undef QZ_VERSIONS
  };
  return versions;
}

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

// "SteamAPI_SteamUserStats_v012" -> "STEAMUSERSTATS_INTERFACE_VERSION012"
std::string VersionOfAccessor(const std::string& accessor) {
  const std::string name = accessor.substr(9, accessor.find("_v") - 9), number = accessor.substr(accessor.size() - 3);
  if (name == "SteamUserStats" || name == "SteamHTTP") {
    std::string upper;
    for (char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper + "_INTERFACE_VERSION" + number;
  }
  return name + number;
}

TEST(ReleaseTables, EachReleaseIsBoundAndEachListedSlotIsTheOneItsFlatExportCalls) {
  std::map<std::string, std::vector<std::string>> named;  // release: versions its DLL names
  std::ifstream interfaces(kData / "interfaces.txt");
  for (std::string line; std::getline(interfaces, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream words(line.substr(line.find(':') + 1));
    for (std::string version; words >> version;) named[line.substr(0, line.find(':'))].push_back(version);
  }

  int releases = 0, slotsChecked = 0;
  for (const auto& file : std::filesystem::directory_iterator(kData / "exports")) {
    const std::string release = file.path().stem().string();  // "1.58a"
    SCOPED_TRACE(release);
    ++releases;
    std::ifstream in(file.path());
    std::string line;
    std::getline(in, line);
    ASSERT_EQ(line, "#machine 0x14c") << "the 32-bit DLL";
    std::set<std::string> exports;
    while (std::getline(in, line)) exports.insert(line);
    const int minor = std::atoi(release.c_str() + 2);
    const SteamFlatApi t = qz::steam::BindExports(&Lookup, &exports);
    if (minor == 31) {
      EXPECT_STREQ(qz::steam::FirstMissingFunction(t), "SteamAPI_ISteamUser_BLoggedOn") << "no flat interface";
      continue;
    }
    EXPECT_EQ(qz::steam::FirstMissingFunction(t), nullptr);
    const std::string start = !Chosen(t.InitFlat).empty() ? Chosen(t.InitFlat)
                              : !Chosen(t.InternalInit).empty() ? Chosen(t.InternalInit)
                                                                : Chosen(t.Init);
    EXPECT_EQ(start, minor >= 59 ? "SteamAPI_InitFlat" : minor == 58 ? "SteamInternal_SteamAPI_Init" : "SteamAPI_Init");
    EXPECT_EQ(Chosen(t.UserStats_RequestCurrentStats).empty(), minor >= 61) << "stood in for from 1.61 on";

    // The version of each interface the release uses: the binding's choice
    // for the five the library calls, the newest the DLL names for the rest.
    std::map<InterfaceId, std::string> used;
    const std::vector<std::string>& own = named[release];
    const auto ownOf = [&own](InterfaceId id) {
      std::string newest;  // the names are sorted: the newest of an interface comes last
      for (const std::string& version : own)
        for (const std::string& listed : Versions().at(id))
          if (version == listed) newest = version;
      return newest;
    };
    for (InterfaceId id : {InterfaceId::Client, InterfaceId::Controller, InterfaceId::Input}) used[id] = ownOf(id);
    used[InterfaceId::HTMLSurface] = minor <= 35 ? "STEAMHTMLSURFACE_INTERFACE_VERSION_002"
                                                 : "STEAMHTMLSURFACE_INTERFACE_VERSION_003";
    if (minor >= 48) {
      used[InterfaceId::User] = VersionOfAccessor(Chosen(t.SteamUser));
      used[InterfaceId::UserStats] = VersionOfAccessor(Chosen(t.SteamUserStats));
      used[InterfaceId::Friends] = VersionOfAccessor(Chosen(t.SteamFriends));
      used[InterfaceId::Utils] = VersionOfAccessor(Chosen(t.SteamUtils));
      used[InterfaceId::HTTP] = VersionOfAccessor(Chosen(t.SteamHTTP));
    } else if (minor >= 37) {
      used[InterfaceId::User] = t.clientVersions.user;
      used[InterfaceId::UserStats] = t.clientVersions.userStats;
      used[InterfaceId::Friends] = t.clientVersions.friends;
      used[InterfaceId::Utils] = t.clientVersions.utils;
      used[InterfaceId::HTTP] = t.clientVersions.http;
    } else {
      EXPECT_EQ(Chosen(t.SteamUser) + Chosen(t.SteamUtils), "SteamUserSteamUtils") << "the plain accessors";
      for (InterfaceId id : {InterfaceId::User, InterfaceId::UserStats, InterfaceId::Friends, InterfaceId::Utils,
                             InterfaceId::HTTP})
        used[id] = ownOf(id);
    }
    for (InterfaceId id : {InterfaceId::User, InterfaceId::UserStats, InterfaceId::Friends, InterfaceId::Utils,
                           InterfaceId::HTTP}) {
      const std::string mine = ownOf(id);
      if (!mine.empty()) {
        EXPECT_EQ(used[id], mine) << "the version the DLL itself names";
      }
    }

    std::map<std::string, int> slotOf;  // flat export: the slot its code calls
    std::ifstream slots(kData / "slots" / (release + ".txt"));
    for (std::string name, slot; slots >> name >> slot;) slotOf[name] = slot == "?" ? -1 : std::stoi(slot);
    for (const Row& row : Rows()) {
      const std::vector<std::string>& versions = Versions().at(row.iface);
      ASSERT_EQ(row.slots.size(), versions.size()) << row.names[0] << ": one slot per version";
      const auto version = std::find(versions.begin(), versions.end(), used[row.iface]);
      if (version == versions.end()) continue;  // the release has no such interface
      const Slot slot = row.slots[version - versions.begin()];
      for (const std::string& name : row.names) {
        if (slotOf.count(name) == 0) continue;
        EXPECT_EQ(slot.index, slotOf[name]) << name << " in " << *version;
        ++slotsChecked;
      }
    }
  }
  EXPECT_EQ(releases, 36) << "1.31 to 1.65a without 1.44 and 1.56";
  EXPECT_GT(slotsChecked, 1500);
}

}  // namespace
