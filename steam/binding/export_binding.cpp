#include "steam/binding/export_binding.h"

#include <initializer_list>

namespace qz::steam {
namespace {

template <class Entry>
void Bind(Entry& entry, ExportLookup lookup, void* context, std::initializer_list<const char*> names) {
  entry = nullptr;
  for (const char* name : names) {
    if (void* address = lookup(context, name)) {
      entry = reinterpret_cast<Entry>(address);
      return;
    }
  }
}

// An interface version a 1.37-1.47 release may have been built with, and the
// export that first came with it (null for the oldest of them).
struct VersionMark {
  const char* version;
  const char* firstExport;
};

// The newest of `marks` (newest first) whose export the DLL has.
const char* VersionOf(std::initializer_list<VersionMark> marks, ExportLookup lookup, void* context) {
  for (const VersionMark& mark : marks) {
    if (mark.firstExport == nullptr || lookup(context, mark.firstExport) != nullptr) return mark.version;
  }
  return nullptr;
}

ClientInterfaceVersions ClientVersions(ExportLookup lookup, void* context) {
  ClientInterfaceVersions v{};
  v.user = VersionOf({{"SteamUser020", "SteamAPI_ISteamUser_GetMarketEligibility"}, {"SteamUser019", nullptr}},
                     lookup, context);
  v.userStats = "STEAMUSERSTATS_INTERFACE_VERSION011";
  // 016 brought the web page's mode argument.
  v.friends = VersionOf(
      {{"SteamFriends016", "SteamAPI_ISteamFriends_GetNumChatsWithUnreadPriorityMessages"}, {"SteamFriends015", nullptr}},
      lookup, context);
  v.utils = VersionOf({{"SteamUtils009", "SteamAPI_ISteamUtils_IsVRHeadsetStreamingEnabled"}, {"SteamUtils008", nullptr}},
                      lookup, context);
  v.http = "STEAMHTTP_INTERFACE_VERSION002";
  return v;
}

}  // namespace

SteamFlatApi BindExports(ExportLookup lookup, void* context) {
  SteamFlatApi t{};
#define QZ_BIND_FLAT(name, ret, params, call, exports) Bind(t.name, lookup, context, QZ_STEAM_NAME_STRINGS(exports));
  QZ_STEAM_FLAT_FUNCTIONS(QZ_BIND_FLAT)
#undef QZ_BIND_FLAT
#define QZ_BIND_METHOD(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, Bind(t.iface##_##method, lookup, context, QZ_STEAM_NAME_STRINGS(exports));)
  QZ_STEAM_METHODS(QZ_BIND_METHOD)
#undef QZ_BIND_METHOD
  // A release with accessors takes its interfaces from them; one without
  // (1.37-1.47) asks SteamClient() for the versions it was built with.
  if (!t.SteamUser && t.SteamClient) t.clientVersions = ClientVersions(lookup, context);
  return t;
}

}  // namespace qz::steam
