#pragma once
// Where the Windows test programs find the DLL under test, and how they load it.
#include <windows.h>

#include <string>

// Folder of the running test program, without a trailing backslash.
std::wstring ProgramFolder();

// QZSteam.dll as the engine loads it: by its path in the program's folder.
// Fails the calling test (ASSERT) when it cannot be loaded.
HMODULE LoadQZSteam();

// Address of an export of QZSteam.dll; null when the DLL lacks it.
const void* QZSteamExport(const char* name);
