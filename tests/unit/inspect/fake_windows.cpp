#include "fake_windows.h"

#include <algorithm>
#include <cstring>

namespace qz::test {
namespace {

using win::Handle;
FakeWindows* g_fake = nullptr;
FakeWindows& F() { return *g_fake; }

void Log(const std::string& call) { F().calls.push_back(call); }

template <std::size_t N>
void Copy(char16_t (&to)[N], const std::u16string& from) {
  std::memset(to, 0, sizeof to);
  std::memcpy(to, from.data(), std::min(from.size(), N - 1) * sizeof(char16_t));
}

// The scripted state of `snapshot` if it is an open snapshot taken with `flags`.
FakeWindows::OpenHandle* Snapshot(Handle snapshot, uint32_t flags) {
  auto it = F().open.find(snapshot);
  return it != F().open.end() && it->second.flags == flags ? &it->second : nullptr;
}

bool ModuleEntry(Handle snapshot, win::ModuleRecord* entry, bool first) {
  Log(first ? "Module32FirstW" : "Module32NextW");
  FakeWindows::OpenHandle* s = Snapshot(snapshot, win::kSnapAll);
  if (s == nullptr) return false;
  const auto& list = F().modules[s->processId].modules;
  const std::size_t i = first ? 0 : s->next;
  if (i >= list.size()) return false;
  s->next = i + 1;
  Copy(entry->name, list[i].name);
  Copy(entry->path, list[i].path);
  entry->imageSize = list[i].size;
  return true;
}

bool ProcessEntry(Handle snapshot, win::ProcessRecord* entry, bool first) {
  Log(first ? "Process32FirstW" : "Process32NextW");
  FakeWindows::OpenHandle* s = Snapshot(snapshot, win::kSnapProcess);
  const std::size_t i = s == nullptr ? ~std::size_t{0} : first ? 0 : s->next;
  if (i >= F().processes.size()) return false;
  s->next = i + 1;
  entry->processId = F().processes[i].id;
  Copy(entry->exeFile, F().processes[i].exeFile);
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
    auto script = F().modules.find(processId);
    bool fails = flags == win::kSnapProcess ? F().processSnapshotFails
                                            : script == F().modules.end() || script->second.fails;
    return fails ? win::InvalidHandle() : NewHandle(flags, processId);
  };
  api.module32First = [](Handle s, win::ModuleRecord* e) { return ModuleEntry(s, e, true); };
  api.module32Next = [](Handle s, win::ModuleRecord* e) { return ModuleEntry(s, e, false); };
  api.process32First = [](Handle s, win::ProcessRecord* e) { return ProcessEntry(s, e, true); };
  api.process32Next = [](Handle s, win::ProcessRecord* e) { return ProcessEntry(s, e, false); };
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
    if (!p.pathReadable) {
      path[0] = u'?';  // a failed read may leave anything behind
      return 0;
    }
    std::size_t n = std::min<std::size_t>(p.imagePath.size(), capacity - 1);
    std::memcpy(path, p.imagePath.data(), n * sizeof(char16_t));
    path[n] = 0;
    return static_cast<uint32_t>(n);
  };
  api.closeHandle = [](Handle handle) {
    Log("CloseHandle");
    if (F().open.erase(handle) == 1) return true;
    ++F().unknownCloses;
    return false;
  };
  api.winVerifyTrust = [](Handle window, win::Guid* action, win::TrustData* data) -> int32_t {
    F().trustCalls.push_back({window, *action, *data, *data->file, data->file->filePath});
    Log(data->stateAction == 1 ? "WinVerifyTrust(verify)" : "WinVerifyTrust(close)");
    if (data->stateAction != 1) return 0;
    data->stateData = reinterpret_cast<Handle>(0x5000);
    auto it = F().trust.find(data->file->filePath);
    TrustScript script = it != F().trust.end() ? it->second : TrustScript{0x800B0100, 0x800B0100};
    F().lastError = script.lastError;
    return static_cast<int32_t>(script.status);
  };
  api.getLastError = []() {
    Log("GetLastError");
    return F().lastError;
  };
  api.printLine = [](const char16_t* line) {
    Log("print");
    F().printed.push_back(line);
  };
  api.getModuleHandleA = [](const char* name) -> Handle {
    Log(std::string("GetModuleHandleA(") + name + ")");
    return F().hasKernel32 ? reinterpret_cast<Handle>(0x7000) : nullptr;
  };
  api.getProcAddress = [](Handle module, const char* name) -> void* {
    Log(std::string("GetProcAddress(") + name + ")");
    return F().hasWow64Switch && module == reinterpret_cast<Handle>(0x7000) ? reinterpret_cast<void*>(0x7100)
                                                                             : nullptr;
  };
  api.callWow64DisableFsRedirection = [](void* function, void** previous) {
    Log(function == reinterpret_cast<void*>(0x7100) ? "Wow64DisableWow64FsRedirection" : "wrong");
    *previous = reinterpret_cast<void*>(1);  // the slot must be writable
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

int FakeWindows::count(const std::string& call) const {
  int n = 0;
  for (const std::string& c : calls) n += c == call;
  return n;
}

}  // namespace qz::test
