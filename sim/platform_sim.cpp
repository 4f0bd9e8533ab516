// The simulator in-process: the Steam seam's table filled with functions that
// forward to one PlatformModel, as steam_api.dll's exports would: one entry
// per flat function and per method the library binds, generated from the
// platform function lists.
#include "sim/platform_sim.h"

#include "steam/binding/steam_flat.h"

namespace qz::sim {
namespace {

std::recursive_mutex& Mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

PlatformModel& Model() {
  static PlatformModel model;
  return model;
}

void FillTable(steam::SteamFlatApi& t, bool withRequestCurrentStats, bool withAccessors) {
  t = steam::SteamFlatApi{};
#define QZ_SIM_FLAT(name, ret, params, call, exports) t.name = [] params -> ret { return Platform()->call; };
  QZ_STEAM_FLAT_FUNCTIONS(QZ_SIM_FLAT)
#undef QZ_SIM_FLAT
#define QZ_SIM_METHOD(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, t.iface##_##method = [] params -> ret { return Platform()->call; };)
  QZ_STEAM_METHODS(QZ_SIM_METHOD)
#undef QZ_SIM_METHOD
  if (!withRequestCurrentStats) t.UserStats_RequestCurrentStats = nullptr;
  if (!withAccessors) {
    // As 1.37-1.47: the interfaces come from SteamClient() only.
    t.SteamUser = nullptr;
    t.SteamUserStats = nullptr;
    t.SteamFriends = nullptr;
    t.SteamUtils = nullptr;
    t.SteamHTTP = nullptr;
    t.clientVersions = {"SteamUser020", "STEAMUSERSTATS_INTERFACE_VERSION011", "SteamFriends016", "SteamUtils009",
                        "STEAMHTTP_INTERFACE_VERSION002"};
  } else {
    t.SteamClient = nullptr;
    t.GetHSteamUser = nullptr;
    t.GetHSteamPipe = nullptr;
    t.Client_GetISteamUser = nullptr;
    t.Client_GetISteamUserStats = nullptr;
    t.Client_GetISteamFriends = nullptr;
    t.Client_GetISteamUtils = nullptr;
    t.Client_GetISteamHTTP = nullptr;
  }
}

}  // namespace

LockedModel::LockedModel() : lock_(Mutex()) {}
PlatformModel* LockedModel::operator->() const { return &Model(); }
PlatformModel& LockedModel::operator*() const { return Model(); }

void Install(Release release) {
  FillTable(steam::SteamFlat(), release != Release::k161On, release != Release::k137To147);
}

void Reset() {
  LockedModel model;
  const std::vector<ModelRegistration> kept = model->Registrations();
  *model = PlatformModel();
  for (const ModelRegistration& r : kept) model->RegisterCallback(r.object, r.callbackId);
  model->ClearCalls();
}

}  // namespace qz::sim
