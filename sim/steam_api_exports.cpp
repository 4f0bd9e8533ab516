// The stand-in steam_api.dll's flat exports: every name some release gives a
// function the library uses, with the SDK's cdecl signature, generated from
// the platform function lists. Each stand-in build exports those that its
// real release exports (sim/CMakeLists.txt). This file must not see the
// library's own C++ SteamAPI_* wrappers, whose names clash.
#include <cstdint>

#include "sim/account_file.h"
#include "sim/stand_in_entry.h"
#include "sim/stand_in_model.h"

namespace qz::sim {

PlatformModel& StandInModel() {
  static PlatformModel model;
  return model;
}

}  // namespace qz::sim

namespace {

// The model, with the account file read in before the first start or
// registration; what the game stores is kept there.
qz::sim::PlatformModel& Model() {
  qz::sim::PlatformModel& model = qz::sim::StandInModel();
  qz::sim::LoadAccountFileOnce(model);
  return model;
}

}  // namespace

// One export: `signature` is (return, parameters, model call), made under
// the stand-in's lock with every exception caught.
#define QZ_STAND_IN_EXPORT(signature, name) extern "C" QZ_STAND_IN_APPLY(QZ_STAND_IN_DEFINE, (name, QZ_STEAM_UNPAREN signature))
#define QZ_STAND_IN_APPLY(macro, arguments) macro arguments
#define QZ_STAND_IN_DEFINE(name, ret, params, call) \
  ret __cdecl name params {                         \
    return qz::sim::Enter(#name, [&] { return Model().call; }); \
  }

#define QZ_STAND_IN_FLAT(name, ret, params, call, exports) \
  QZ_STEAM_FOR_EACH(QZ_STAND_IN_EXPORT, (ret, params, call), QZ_STEAM_UNPAREN exports)
QZ_STEAM_FLAT_FUNCTIONS(QZ_STAND_IN_FLAT)

#define QZ_STAND_IN_METHOD(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, QZ_STEAM_FOR_EACH(QZ_STAND_IN_EXPORT, (ret, params, call), QZ_STEAM_UNPAREN exports))
QZ_STEAM_METHODS(QZ_STAND_IN_METHOD)
