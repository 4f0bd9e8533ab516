// The runtime binding: steam_api.dll is loaded on the first start (never
// imported), and the table is filled with whichever of the equivalent exports
// the DLL's SDK release has.
#include <windows.h>

#include "steam/binding/export_binding.h"

namespace qz::steam {
namespace {

HMODULE g_module = nullptr;
LoadFailure g_failure{};

void* ExportOf(void* module, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), name));
}

}  // namespace

bool LoadSteamApi() {
  if (g_module) return true;
  // By name, so the loader searches the game's folder first.
  HMODULE module = LoadLibraryW(L"steam_api.dll");
  if (!module) {
    g_failure = {true, GetLastError(), nullptr};
    return false;
  }
  const SteamFlatApi table = BindExports(&ExportOf, module);
  if (const char* missing = FirstMissingFunction(table)) {
    g_failure = {false, 0, missing};
    FreeLibrary(module);
    return false;
  }
  SteamFlat() = table;
  g_module = module;
  return true;
}

LoadFailure LastLoadFailure() { return g_failure; }

}  // namespace qz::steam
