#pragma once
// The demo engine host: loads QZSteam.dll as the engine does and shows, part
// by part, what the library answers. Each part lives in its own file.
#include <windows.h>

// The address of a DLL's export as a function of type F (null when absent).
template <class F>
F Export(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// Calls A6_DLLAPI with a stand-in engine interface block.
void RunEngineBindingDemo(HMODULE qzsteam);
// Lists the demo's own modules and path, and checks its files' signatures.
void RunInspectionDemo(HMODULE qzsteam);

// Runs a simulated Steam session against the stand-in steam_api.dll: start,
// statistics received, a stat raised until its achievement unlocks and is stored.
void RunSteamSessionDemo(HMODULE qzsteam);
// Fetches an authentication ticket with pumping and opens an overlay web page
// against the stand-in steam_api.dll.
void RunSteamRequestsDemo(HMODULE qzsteam);
