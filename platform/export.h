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
