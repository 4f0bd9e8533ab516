#include "fake_windows.h"

#include <cstring>

namespace qz::test {
namespace {

using win::Handle;

FakeWindows& F() { return *FakeWindows::current; }

template <std::size_t N>
void Copy(char16_t (&to)[N], const std::u16string& from) {
  std::memset(to, 0, sizeof to);
  std::memcpy(to, from.data(), std::min(from.size(), N - 1) * sizeof(char16_t));
}

const FakeProcess* ProcessById(uint32_t id) {
  for (const FakeProcess& p : F().processes)
    if (p.id == id) return &p;
  return nullptr;
}

bool ModuleEntry(Handle snapshot, win::ModuleRecord* entry, bool first) {
  F().calls.push_back(first ? "Module32FirstW" : "Module32NextW");
  auto it = F().snapshots.find(snapshot);
  if (it == F().snapshots.end() || it->second.flags != win::kSnapAll) return false;
  const auto& list = F().modules[it->second.processId].modules;
  std::size_t index = first ? 0 : it->second.next;
  if (index >= list.size()) return false;
  it->second.next = index + 1;
  Copy(entry->name, list[index].name);
  Copy(entry->path, list[index].path);
  entry->imageSize = list[index].size;
  return true;
}

bool ProcessEntry(Handle snapshot, win::ProcessRecord* entry, bool first) {
  F().calls.push_back(first ? "Process32FirstW" : "Process32NextW");
  auto it = F().snapshots.find(snapshot);
  if (it == F().snapshots.end() || it->second.flags != win::kSnapProcess) return false;
  std::size_t index = first ? 0 : it->second.next;
  if (index >= F().processes.size()) return false;
  it->second.next = index + 1;
  entry->processId = F().processes[index].id;
  Copy(entry->exeFile, F().processes[index].exeFile);
  return true;
}

win::WinApi Installed(win::WinApi api) {
  api.allocate = [](std::size_t bytes) {
    F().calls.push_back("allocate");
    return std::calloc(1, bytes);
  };
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t processId) -> Handle {
    F().calls.push_back("CreateToolhelp32Snapshot(" + std::to_string(flags) + "," + std::to_string(processId) + ")");
    bool fails = flags == win::kSnapProcess ? F().processSnapshotFails
                                            : (!F().modules.count(processId) || F().modules[processId].fails);
    if (fails) return win::InvalidHandle();
    Handle handle = F().NewHandle();
    F().snapshots[handle] = {flags, processId, 0};
    return handle;
  };
  api.module32First = [](Handle s, win::ModuleRecord* e) { return ModuleEntry(s, e, true); };
  api.module32Next = [](Handle s, win::ModuleRecord* e) { return ModuleEntry(s, e, false); };
  api.process32First = [](Handle s, win::ProcessRecord* e) { return ProcessEntry(s, e, true); };
  api.process32Next = [](Handle s, win::ProcessRecord* e) { return ProcessEntry(s, e, false); };
  api.openProcess = [](uint32_t access, bool inherit, uint32_t processId) -> Handle {
    char text[64];
    std::snprintf(text, sizeof text, "OpenProcess(0x%X,%d,%u)", access, inherit ? 1 : 0, processId);
    F().calls.push_back(text);
    const FakeProcess* process = ProcessById(processId);
    if (process == nullptr || !process->opens) return nullptr;
    Handle handle = F().NewHandle();
    F().processIds[handle] = processId;
    return handle;
  };
  api.getModuleFileNameEx = [](Handle process, Handle module, char16_t* path, uint32_t capacity) -> uint32_t {
    F().calls.push_back("GetModuleFileNameExW(" + std::string(module ? "module" : "null") + "," +
                        std::to_string(capacity) + ")");
    const FakeProcess* p = ProcessById(F().processIds.at(process));
    if (!p->pathReadable) {
      path[0] = u'?';  // a failed read may leave anything behind
      return 0;
    }
    std::size_t n = std::min<std::size_t>(p->imagePath.size(), capacity - 1);
    std::memcpy(path, p->imagePath.data(), n * sizeof(char16_t));
    path[n] = 0;
    return static_cast<uint32_t>(n);
  };
  api.closeHandle = [](Handle handle) {
    F().calls.push_back("CloseHandle");
    if (F().snapshots.erase(handle) + F().processIds.erase(handle) == 0) {
      ++F().unknownCloses;
      return false;
    }
    ++F().handlesClosed;
    return true;
  };
  api.winVerifyTrust = [](Handle window, win::Guid* action, win::TrustData* data) -> int32_t {
    TrustCall call{window, *action, *data, *data->file, data->file->filePath};
    F().trustCalls.push_back(call);
    F().calls.push_back(data->stateAction == 1 ? "WinVerifyTrust(verify)" : "WinVerifyTrust(close)");
    if (data->stateAction != 1) return 0;
    data->stateData = reinterpret_cast<Handle>(0x5000 + F().trustCalls.size());
    auto it = F().trust.find(call.path);
    TrustScript script = it != F().trust.end() ? it->second : TrustScript{0x800B0100, 0x800B0100};
    F().lastError = script.lastError;
    return static_cast<int32_t>(script.status);
  };
  api.getLastError = []() {
    F().calls.push_back("GetLastError");
    return F().lastError;
  };
  api.printLine = [](const char16_t* line) {
    F().calls.push_back("print");
    F().printed.push_back(line);
  };
  api.getModuleHandleA = [](const char* name) -> Handle {
    F().calls.push_back(std::string("GetModuleHandleA(") + name + ")");
    return F().hasKernel32 ? reinterpret_cast<Handle>(0x7000) : nullptr;
  };
  api.getProcAddress = [](Handle module, const char* name) -> void* {
    F().calls.push_back(std::string("GetProcAddress(") + name + ")");
    return F().hasWow64Switch && module == reinterpret_cast<Handle>(0x7000) ? reinterpret_cast<void*>(0x7100)
                                                                             : nullptr;
  };
  api.callWow64DisableFsRedirection = [](void* function, void** previous) {
    F().calls.push_back(function == reinterpret_cast<void*>(0x7100) ? "Wow64DisableWow64FsRedirection" : "wrong");
    F().wow64Slots.push_back(previous);
    *previous = reinterpret_cast<void*>(1);
    return true;
  };
  return api;
}

}  // namespace

FakeWindows* FakeWindows::current = nullptr;

FakeWindows::FakeWindows() {
  current = this;
  win::Api() = Installed(win::DefaultApi());
}

FakeWindows::~FakeWindows() {
  win::Api() = win::DefaultApi();
  current = nullptr;
}

Handle FakeWindows::NewHandle() {
  ++handlesOpened;
  nextHandle += 4;
  return reinterpret_cast<Handle>(nextHandle);
}

int FakeWindows::count(const std::string& call) const {
  int n = 0;
  for (const std::string& c : calls) n += c == call;
  return n;
}

std::string Narrow(const std::u16string& text) { return std::string(text.begin(), text.end()); }

}  // namespace qz::test
