// Natively there is no steam_api.dll: the platform simulator fills the table,
// and an empty table stands for a DLL that is not there.
#include "steam/binding/steam_flat.h"

namespace qz::steam {
namespace {

LoadFailure g_failure{};

}  // namespace

bool LoadSteamApi() {
  const SteamFlatApi& table = SteamFlat();
  const char* missing = FirstMissingFunction(table);
  if (missing == nullptr) return true;
  // ERROR_MOD_NOT_FOUND, as Windows answers for a DLL that is not there.
  const bool empty = !table.RunCallbacks && !table.Shutdown && !table.RegisterCallback;
  g_failure = empty ? LoadFailure{true, 126, nullptr} : LoadFailure{false, 0, missing};
  return false;
}

LoadFailure LastLoadFailure() { return g_failure; }

}  // namespace qz::steam
