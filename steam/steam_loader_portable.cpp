// Natively there is no steam_api.dll: the platform simulator fills the table.
#include "steam/steam_flat.h"

namespace qz::steam {

bool LoadSteamApi() { return HasRequiredFunctions(SteamFlat()); }

}  // namespace qz::steam
