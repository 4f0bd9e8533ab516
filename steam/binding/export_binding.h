#pragma once
// Which exports of a steam_api.dll fill which entry of the Steam seam. Kept
// apart from the loader so that the choice can be checked against the export
// lists of every real release without Windows.
#include "steam/binding/steam_flat.h"

namespace qz::steam {

// The address of the export `name` of the DLL behind `context`, or null.
using ExportLookup = void* (*)(void* context, const char* name);

// The table with, for each entry, the first of its equivalent export names
// that the DLL has (newest release first); null where it has none.
SteamFlatApi BindExports(ExportLookup lookup, void* context);

}  // namespace qz::steam
