// The Windows seam, forwarding to the real platform functions.
#include <windows.h>
// Order matters: these headers need windows.h first.
#include <tlhelp32.h>
#include <wintrust.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win_seam.h"

namespace qz::win {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 text is wchar_t on Windows");
static_assert(sizeof(ModuleRecord::name) == sizeof(MODULEENTRY32W::szModule));
static_assert(sizeof(ModuleRecord::path) == sizeof(MODULEENTRY32W::szExePath));
static_assert(sizeof(ProcessRecord::exeFile) == sizeof(PROCESSENTRY32W::szExeFile));

// The portable trust records are passed to WinVerifyTrust as they are.
static_assert(sizeof(Guid) == sizeof(GUID));
static_assert(sizeof(TrustFileInfo) == sizeof(WINTRUST_FILE_INFO));
static_assert(offsetof(TrustFileInfo, filePath) == offsetof(WINTRUST_FILE_INFO, pcwszFilePath));
static_assert(offsetof(TrustFileInfo, knownSubject) == offsetof(WINTRUST_FILE_INFO, pgKnownSubject));
static_assert(sizeof(TrustData) == 48, "the WINTRUST_DATA form without pSignatureSettings");
static_assert(offsetof(TrustData, uiChoice) == offsetof(WINTRUST_DATA, dwUIChoice));
static_assert(offsetof(TrustData, unionChoice) == offsetof(WINTRUST_DATA, dwUnionChoice));
static_assert(offsetof(TrustData, file) == offsetof(WINTRUST_DATA, pFile));
static_assert(offsetof(TrustData, stateAction) == offsetof(WINTRUST_DATA, dwStateAction));
static_assert(offsetof(TrustData, stateData) == offsetof(WINTRUST_DATA, hWVTStateData));
static_assert(offsetof(TrustData, uiContext) == offsetof(WINTRUST_DATA, dwUIContext));

// Any address inside this module names it: this function's own.
bool PinOwnModule() {
  HMODULE module = nullptr;
  return GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_PIN | GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                            reinterpret_cast<LPCWSTR>(&PinOwnModule), &module) != FALSE;
}

std::size_t WideToAnsi(const char16_t* text, std::size_t count, char* out, std::size_t capacity) {
  // A capacity of 0 would ask for the size instead.
  if (count == 0 || capacity == 0) return 0;
  const auto* wide = reinterpret_cast<const wchar_t*>(text);
  const int units = static_cast<int>(count), room = static_cast<int>(capacity);
  int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide, units, out, room, "?", nullptr);
  // UTF-8 and the other code pages that hold every character take neither
  // the flag nor a substitute.
  if (n == 0 && (GetLastError() == ERROR_INVALID_FLAGS || GetLastError() == ERROR_INVALID_PARAMETER))
    n = WideCharToMultiByte(CP_ACP, 0, wide, units, out, room, nullptr, nullptr);
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

void Copy(const MODULEENTRY32W& from, ModuleRecord* to) {
  std::memcpy(to->name, from.szModule, sizeof to->name);
  std::memcpy(to->path, from.szExePath, sizeof to->path);
  to->imageSize = from.modBaseSize;
}

void Copy(const PROCESSENTRY32W& from, ProcessRecord* to) {
  to->processId = from.th32ProcessID;
  std::memcpy(to->exeFile, from.szExeFile, sizeof to->exeFile);
}

// One First/Next call of Toolhelp, its entry copied into the portable record.
template <class Raw, class Record, BOOL(WINAPI* Walk)(HANDLE, Raw*)>
bool Entry(Handle snapshot, Record* entry) {
  Raw raw{};
  raw.dwSize = sizeof raw;
  if (!Walk(snapshot, &raw)) return false;
  Copy(raw, entry);
  return true;
}

// A function of kernel32.dll by name, null where the platform lacks it.
template <class Function>
Function Kernel32Function(const char* name) {
  HMODULE kernel32 = GetModuleHandleA("kernel32.dll");
  if (kernel32 == nullptr) return nullptr;
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

bool DisableWow64FsRedirection(void** previousState) {
  auto disable = Kernel32Function<BOOL(WINAPI*)(PVOID*)>("Wow64DisableWow64FsRedirection");
  return disable != nullptr && disable(previousState) != FALSE;
}

std::size_t AnsiToWide(const char* bytes, std::size_t count, char16_t* out, std::size_t capacity) {
  int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(count), reinterpret_cast<wchar_t*>(out),
                              static_cast<int>(capacity));
  return n > 0 ? static_cast<std::size_t>(n) : 0;
}

// The runtime's formatted output, as the wide line was printed before: on a
// console (or NUL) standard output, which has no buffer, it buffers the call
// and writes it at once, where fwrite or fputs would write byte by byte.
void PrintLine(const char* bytes, std::size_t count) { printf_s("%.*s", static_cast<int>(count), bytes); }

bool RevertWow64FsRedirection(void* previousState) {
  auto revert = Kernel32Function<BOOL(WINAPI*)(PVOID)>("Wow64RevertWow64FsRedirection");
  return revert != nullptr && revert(previousState) != FALSE;
}

}  // namespace

WinApi DefaultApi() {
  WinApi api{};
  api.sleep = [](uint32_t milliseconds) { ::Sleep(milliseconds); };
  api.outputDebugStringW = [](const char16_t* text) { ::OutputDebugStringW(reinterpret_cast<const wchar_t*>(text)); };
  api.outputDebugStringA = [](const char* text) { ::OutputDebugStringA(text); };
  api.pinOwnModule = &PinOwnModule;
  api.allocate = [](std::size_t bytes) { return std::calloc(1, bytes); };
  api.release = [](void* block) { std::free(block); };
  api.wideToAnsi = &WideToAnsi;
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t processId) -> Handle {
    return CreateToolhelp32Snapshot(flags, processId);
  };
  api.module32First = &Entry<MODULEENTRY32W, ModuleRecord, Module32FirstW>;
  api.module32Next = &Entry<MODULEENTRY32W, ModuleRecord, Module32NextW>;
  api.process32First = &Entry<PROCESSENTRY32W, ProcessRecord, Process32FirstW>;
  api.process32Next = &Entry<PROCESSENTRY32W, ProcessRecord, Process32NextW>;
  api.getCurrentProcessId = []() -> uint32_t { return GetCurrentProcessId(); };
  api.openProcess = [](uint32_t access, bool inheritHandle, uint32_t processId) -> Handle {
    return OpenProcess(access, inheritHandle ? TRUE : FALSE, processId);
  };
  api.queryFullProcessImageName = [](Handle process, uint32_t flags, char16_t* path, uint32_t* size) {
    DWORD units = *size;
    const BOOL read = QueryFullProcessImageNameW(process, flags, reinterpret_cast<wchar_t*>(path), &units);
    *size = units;
    return read != FALSE;
  };
  api.closeHandle = [](Handle handle) { return CloseHandle(handle) != FALSE; };
  api.winVerifyTrust = [](Handle window, Guid* action, TrustData* data) -> int32_t {
    return WinVerifyTrust(static_cast<HWND>(window), reinterpret_cast<GUID*>(action), data);
  };
  api.getLastError = []() -> uint32_t { return GetLastError(); };
  api.disableWow64FsRedirection = &DisableWow64FsRedirection;
  api.ansiToWide = &AnsiToWide;
  api.printLine = &PrintLine;
  api.revertWow64FsRedirection = &RevertWow64FsRedirection;
  return api;
}

WinApi& Api() {
  static WinApi api = DefaultApi();
  return api;
}

}  // namespace qz::win
