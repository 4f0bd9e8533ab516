// The library's load entry. The library initialises nothing at load and
// releases nothing at unload: the session object and the report buffer come
// into being on first use and live as long as the process.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
