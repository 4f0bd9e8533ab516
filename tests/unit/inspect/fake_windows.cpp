#include "fake_windows.h"

#include <cstdio>
#include <cstdlib>
#include <type_traits>

namespace qz::test {
namespace {

using win::Handle;
FakeWindows* g_fake = nullptr;
FakeWindows& F() { return *g_fake; }

void Log(const std::string& call) { F().calls.push_back(call); }

template <std::size_t N>
void Copy(char16_t (&to)[N], const std::u16string& from) {
  to[from.copy(to, N - 1)] = 0;
}

// Module32FirstW/NextW and Process32FirstW/NextW on a snapshot of the right kind.
template <typename Record, bool First>
bool Entry(Handle snapshot, Record* entry) {
  constexpr bool kModule = std::is_same_v<Record, win::ModuleRecord>;
  Log(std::string(kModule ? "Module32" : "Process32") + (First ? "FirstW" : "NextW"));
  auto it = F().open.find(snapshot);
  if (it == F().open.end() || it->second.flags != (kModule ? win::kSnapAll : win::kSnapProcess)) return false;
  std::size_t& next = it->second.next;
  if (First) next = 0;
  if constexpr (kModule) {
    const auto& list = F().modules[it->second.processId];
    if (next >= list.size()) return false;
    Copy(entry->name, list[next].name);
    Copy(entry->path, list[next].path);
    entry->imageSize = list[next++].size;
  } else {
    if (next >= F().processes.size()) return false;
    entry->processId = F().processes[next].id;
    Copy(entry->exeFile, F().processes[next++].exeFile);
  }
  return true;
}

Handle NewHandle(uint32_t flags, uint32_t processId) {
  Handle handle = reinterpret_cast<Handle>(0x100 + 4 * ++F().handlesOpened);
  F().open[handle] = {flags, processId, 0};
  return handle;
}

win::WinApi Installed(win::WinApi api) {
  api.allocate = [](std::size_t bytes) {
    Log("allocate");
    return std::calloc(1, bytes);
  };
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t processId) -> Handle {
    Log("CreateToolhelp32Snapshot(" + std::to_string(flags) + "," + std::to_string(processId) + ")");
    const bool fails = flags == win::kSnapProcess ? F().processSnapshotFails : F().modules.count(processId) == 0;
    return fails ? win::InvalidHandle() : NewHandle(flags, processId);
  };
  api.module32First = &Entry<win::ModuleRecord, true>;
  api.module32Next = &Entry<win::ModuleRecord, false>;
  api.process32First = &Entry<win::ProcessRecord, true>;
  api.process32Next = &Entry<win::ProcessRecord, false>;
  api.getCurrentProcessId = [] { return F().currentProcessId; };
  api.openProcess = [](uint32_t access, bool inherit, uint32_t processId) -> Handle {
    char text[64];
    std::snprintf(text, sizeof text, "OpenProcess(0x%X,%d,%u)", access, inherit ? 1 : 0, processId);
    Log(text);
    for (const FakeProcess& p : F().processes)
      if (p.id == processId && p.opens) return NewHandle(0, processId);
    return nullptr;
  };
  api.getModuleFileNameEx = [](Handle process, Handle module, char16_t* path, uint32_t capacity) -> uint32_t {
    Log("GetModuleFileNameExW(" + std::string(module ? "module" : "null") + "," + std::to_string(capacity) + ")");
    const uint32_t id = F().open.at(process).processId;
    const FakeProcess& p = *std::find_if(F().processes.begin(), F().processes.end(), [&](auto& q) { return q.id == id; });
    path[0] = u'?';  // a failed read may leave anything behind
    if (!p.pathReadable) return 0;
    const std::size_t n = p.imagePath.copy(path, capacity - 1);
    path[n] = 0;
    return static_cast<uint32_t>(n);
  };
  api.closeHandle = [](Handle handle) {
    Log("CloseHandle");
    F().unknownCloses += F().open.erase(handle) == 0;
    return true;
  };
  api.winVerifyTrust = [](Handle window, win::Guid* action, win::TrustData* data) -> int32_t {
    F().trustCalls.push_back({window, *action, *data, *data->file, data->file->filePath});
    Log(data->stateAction == 1 ? "WinVerifyTrust(verify)" : "WinVerifyTrust(close)");
    if (data->stateAction != 1) return 0;
    data->stateData = reinterpret_cast<Handle>(0x5000);
    auto it = F().trust.find(data->file->filePath);
    const TrustScript script = it != F().trust.end() ? it->second : TrustScript{0x800B0100, 0x800B0100};
    F().lastError = script.lastError;
    return static_cast<int32_t>(script.status);
  };
  api.getLastError = [] { Log("GetLastError"); return F().lastError; };
  api.printLine = [](const char16_t* line) { Log("print"); F().printed.push_back(line); };
  // kernel32 is module 0x7000, its WOW64 switch function 0x7100.
  api.getModuleHandleA = [](const char* name) -> Handle {
    Log(std::string("GetModuleHandleA(") + name + ")");
    return F().hasKernel32 ? reinterpret_cast<Handle>(0x7000) : nullptr;
  };
  api.getProcAddress = [](Handle module, const char* name) -> void* {
    Log(std::string("GetProcAddress(") + name + ")");
    return F().hasWow64Switch && module == reinterpret_cast<Handle>(0x7000) ? reinterpret_cast<void*>(0x7100) : nullptr;
  };
  api.callWow64DisableFsRedirection = [](void* function, void** previous) {
    Log(function == reinterpret_cast<void*>(0x7100) ? "Wow64DisableWow64FsRedirection" : "wrong");
    *previous = nullptr;  // the slot must be writable
    return true;
  };
  return api;
}

}  // namespace

FakeWindows::FakeWindows() {
  g_fake = this;
  win::Api() = Installed(win::DefaultApi());
}

FakeWindows::~FakeWindows() {
  win::Api() = win::DefaultApi();
  g_fake = nullptr;
}

}  // namespace qz::test
