#pragma once
// How every function of the library's boundary is declared: undecorated C
// names (the .def file lists them) and the cdecl convention, in which the
// caller removes the arguments, as the engine's scripts call them.

#if defined(_WIN32)
#define QZ_CDECL __cdecl
#else
#define QZ_CDECL
#endif

#define QZ_EXPORT extern "C"

// UTF-16 text crossing the boundary: wchar_t on Windows, as the game passes it
// and the public header declares it; natively char16_t, of the same width.
#if defined(_WIN32)
using QZWideChar = wchar_t;
#else
using QZWideChar = char16_t;
#endif
static_assert(sizeof(QZWideChar) == sizeof(char16_t), "UTF-16 code units");
