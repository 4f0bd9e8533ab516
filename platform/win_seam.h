#pragma once
// The Windows seam: every Windows call of the library, apart from the Steam
// binding's own table, goes through this one table, so that the session's
// wait and debugger lines, the report rules and every failure path run
// natively against fakes. The Windows implementation only forwards (copying
// Toolhelp entries into the portable records below); the native defaults are
// portable stand-ins (allocation, a real sleep, an ASCII-only code page) or
// report the platform as absent (no debugger, no snapshot, no process, no
// trust provider, no WOW64).
#include <cstddef>
#include <cstdint>

namespace qz::win {

// A kernel handle as the platform hands it out. Both null and the all-ones
// value (INVALID_HANDLE_VALUE) mean "no handle".
using Handle = void*;
inline Handle InvalidHandle() { return reinterpret_cast<Handle>(~std::uintptr_t{0}); }

// Toolhelp snapshot flags, each of one kind only: a module snapshot taken
// with TH32CS_SNAPALL would also gather every process and thread of the
// machine and the process's heap list, which no report uses.
inline constexpr uint32_t kSnapModule = 8;   // TH32CS_SNAPMODULE
inline constexpr uint32_t kSnapProcess = 2;  // TH32CS_SNAPPROCESS
// The least access that reads a process's path. Windows grants it on many
// processes that refuse a standard user more: protected processes, and many
// of the system's and the services'.
inline constexpr uint32_t kProcessQueryLimitedInformation = 0x1000;
inline constexpr uint32_t kMaxPath = 260;
inline constexpr uint32_t kMaxModuleName = 256;

// The fields of MODULEENTRY32W that the reports use.
struct ModuleRecord {
  char16_t name[kMaxModuleName];  // szModule
  char16_t path[kMaxPath];        // szExePath
  uint32_t imageSize;             // modBaseSize
};

// The fields of PROCESSENTRY32W that the reports use.
struct ProcessRecord {
  uint32_t processId;           // th32ProcessID
  char16_t exeFile[kMaxPath];   // szExeFile
};

// Layout twins of the Windows SDK's GUID, WINTRUST_FILE_INFO and the 48-byte
// WINTRUST_DATA (the Windows implementation checks the offsets and passes
// them on unchanged).
struct Guid {
  uint32_t data1;
  uint16_t data2;
  uint16_t data3;
  uint8_t data4[8];
};

struct TrustFileInfo {
  uint32_t structSize;          // cbStruct
  const char16_t* filePath;     // pcwszFilePath
  Handle file;                  // hFile
  Guid* knownSubject;           // pgKnownSubject
};

struct TrustData {
  uint32_t structSize;          // cbStruct
  void* policyCallbackData;     // pPolicyCallbackData
  void* sipClientData;          // pSIPClientData
  uint32_t uiChoice;            // dwUIChoice
  uint32_t revocationChecks;    // fdwRevocationChecks
  uint32_t unionChoice;         // dwUnionChoice
  TrustFileInfo* file;          // pFile
  uint32_t stateAction;         // dwStateAction
  Handle stateData;             // hWVTStateData
  char16_t* urlReference;       // pwszURLReference
  uint32_t provFlags;           // dwProvFlags
  uint32_t uiContext;           // dwUIContext
};

struct WinApi {
  // Sleep, and the debugger lines of the statistics cycle.
  void (*sleep)(uint32_t milliseconds);
  void (*outputDebugStringW)(const char16_t* text);
  void (*outputDebugStringA)(const char* text);
  // GetModuleHandleExW with GET_MODULE_HANDLE_EX_FLAG_PIN, of the module that
  // holds this code: it stays loaded until the process ends, whatever
  // FreeLibrary calls follow. False where that fails (or there is no module).
  bool (*pinOwnModule)();

  // Heap blocks, zero-filled: calloc and free of the C runtime. They hold the
  // report (a fresh block's pages are zero already; calloc skips touching all
  // 900000 bytes) and the inventory's table of signature verdicts.
  void* (*allocate)(std::size_t bytes);
  void (*release)(void* block);
  // WideCharToMultiByte into the ANSI code page (CP_ACP) of `count` code units
  // of `text`, without best-fit look-alikes: a character the code page lacks
  // becomes the substitute '?'. Writes no terminator. Answers the bytes
  // written into `out`, or 0 when they would not all fit `capacity`.
  std::size_t (*wideToAnsi)(const char16_t* text, std::size_t count, char* out, std::size_t capacity);

  // CreateToolhelp32Snapshot: a handle, or InvalidHandle() on failure.
  Handle (*createToolhelpSnapshot)(uint32_t flags, uint32_t processId);
  // Module32FirstW/NextW and Process32FirstW/NextW: true when `entry` was filled.
  bool (*module32First)(Handle snapshot, ModuleRecord* entry);
  bool (*module32Next)(Handle snapshot, ModuleRecord* entry);
  bool (*process32First)(Handle snapshot, ProcessRecord* entry);
  bool (*process32Next)(Handle snapshot, ProcessRecord* entry);
  // GetCurrentProcessId.
  uint32_t (*getCurrentProcessId)();
  // OpenProcess: a handle, or null.
  Handle (*openProcess)(uint32_t access, bool inheritHandle, uint32_t processId);
  // QueryFullProcessImageNameW: `*size` is the capacity of `path` in code
  // units on the way in, the path's length without its terminator on success.
  bool (*queryFullProcessImageName)(Handle process, uint32_t flags, char16_t* path, uint32_t* size);
  bool (*closeHandle)(Handle handle);

  // WinVerifyTrust: the trust provider's status.
  int32_t (*winVerifyTrust)(Handle window, Guid* action, TrustData* data);
  uint32_t (*getLastError)();

  // Wow64DisableWow64FsRedirection, looked up in kernel32 at each call (32-bit
  // Windows lacks it): false where it is absent or fails.
  bool (*disableWow64FsRedirection)(void** previousState);

  // The path bytes of a script converted with the process's ANSI code page
  // (MultiByteToWideChar): code units written into `out`, at most `capacity`.
  std::size_t (*ansiToWide)(const char* bytes, std::size_t count, char16_t* out, std::size_t capacity);

  // The signature check's line and the process checks' view of the files.
  // One finished line of the signature check, its `count` bytes already in
  // the ANSI code page, written as they are onto the C runtime's standard
  // output (which turns its line feed into CR LF in text mode).
  void (*printLine)(const char* bytes, std::size_t count);
  // Wow64RevertWow64FsRedirection, looked up in kernel32 at each call, with
  // the state that disableWow64FsRedirection handed out: the calling thread's
  // redirection as it was before. False where it is absent or fails.
  bool (*revertWow64FsRedirection)(void* previousState);
};

// The table in use. Tests replace entries and put the defaults back.
WinApi& Api();
// The table that Api() starts with.
WinApi DefaultApi();

}  // namespace qz::win
