#pragma once
// The inspection exports of QZSteam.dll. The reporting ones return the report
// buffer (its text stays the library's, valid until the next reporting call),
// or a static text when no block could be allocated for it: never null.
#include <cstdint>

#include "platform/export.h"

// Modules of a process (0: the calling process) as an array of objects.
QZ_EXPORT char* QZ_CDECL GetModuleProfile(uint32_t processId);
// Processes whose main executable does not pass the signature check, with their modules.
QZ_EXPORT char* QZ_CDECL QZS_glosdi();
// Bare path of the first module of a process: its main executable.
QZ_EXPORT char* QZ_CDECL GetExePath(uint32_t processId);
// {"Id": <pid>,"Path": "<main executable>","Verdict": "PASSED" or "FAILED"}; 0: the calling process.
QZ_EXPORT char* QZ_CDECL VerifyProcessProfile(uint32_t processId);

// Checks a file's embedded signature and prints one line; the report is untouched.
QZ_EXPORT bool QZ_CDECL VerifyEmbeddedSignature(const QZWideChar* path);
// The same check for `length` path bytes; the report is "PASSED" or "FAILED".
QZ_EXPORT char* QZ_CDECL VerifyEmbeddedSignatureLua(const char* path, int length);
// flag 1 switches off WOW64 file-system redirection for the calling thread; always 0.
QZ_EXPORT int QZ_CDECL DisableWow64Redirection(int flag);
