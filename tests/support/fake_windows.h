#pragma once
// A scriptable stand-in for the Windows seam: processes, module lists and
// trust statuses as a test sets them up, with the platform's rules that the
// library could break (a snapshot is of modules or of processes, a module
// snapshot of process 0 is the caller's, a process opens only for the rights
// it grants and its path is read only through a handle that holds them, the
// last error is lost to the next call). It keeps the printed lines, the paths
// checked and a log of the other calls that ask the platform something, and
// knows whether every handle and trust state it handed out came back once and
// every call was well-formed.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <map>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/win_seam.h"

namespace qz::test {

struct FakeModule {
  std::u16string name, path;
  uint32_t size;
};

// What OpenProcess may ask of a process: anything (the caller's own), or only
// PROCESS_QUERY_LIMITED_INFORMATION (services, system and protected processes).
inline constexpr uint32_t kAnyRights = 0x1FFFFF, kLimitedRights = 0x1000;

struct FakeProcess {
  uint32_t id;
  std::u16string exeFile, imagePath;  // imagePath: what QueryFullProcessImageNameW reads
  uint32_t rights = kAnyRights;       // 0: never opens (exited, another user's)
  bool pathReadable = true;           // false: exits between the open and the read
  bool sizeOverstated = false;        // a read answers the buffer's whole size as the path's
};

class FakeWindows {
 public:
  std::vector<FakeProcess> processes;  // in list order; empty: no first entry
  bool processSnapshotFails = false;
  std::map<uint32_t, std::vector<FakeModule>> modules;  // by process id; absent: the snapshot fails
  std::map<std::u16string, std::pair<uint32_t, uint32_t>> trust;  // path: status, last error; absent: not signed
  bool refuseAllocation = false, hasWow64Switch = true;
  uint32_t currentProcessId = 4242;

  // "snapshot", "open", "switch", "revert", and "check" of a file, or
  // "unredirected check" when the thread's WOW64 redirection was off.
  std::vector<std::string> calls;
  std::vector<std::u16string> checked;
  std::vector<std::string> printed;  // the lines' bytes, in the code page of wideToAnsi
  bool clean() const { return open_.empty() && badUses_ == 0 && trustStates_ == 0; }

  bool redirectionOff = false;  // the calling thread's WOW64 file-system redirection

  FakeWindows();
  ~FakeWindows() { win::Api() = win::DefaultApi(); }

 private:
  static inline FakeWindows* current = nullptr;  // the one installed
  struct Open {
    uint32_t flags, processId;  // flags 0: a process handle
    std::size_t next;
    uint32_t access;  // of a process handle
  };
  std::map<win::Handle, Open> open_;
  int badUses_ = 0, trustStates_ = 0;
  uint32_t lastError_ = 0;
  uintptr_t lastHandle_ = 0x100;
  static inline void* const kRedirectionWasOn = reinterpret_cast<void*>(0x0A), *const kRedirectionWasOff = reinterpret_cast<void*>(0x0F);

  win::Handle NewHandle(uint32_t flags, uint32_t processId, uint32_t access = 0) {
    return open_.emplace(reinterpret_cast<win::Handle>(lastHandle_ += 4), Open{flags, processId, 0, access}).first->first;
  }

  // The first or next entry of a snapshot taken for modules (flag 8) or processes (2).
  template <typename Record>
  static bool Entry(win::Handle snapshot, Record* entry, bool first) {
    FakeWindows& f = *current;
    constexpr bool kModule = std::is_same_v<Record, win::ModuleRecord>;
    const auto it = f.open_.find(snapshot);
    if (it == f.open_.end() || !(it->second.flags & (kModule ? 8 : 2))) return ++f.badUses_, false;
    std::size_t& next = first ? (it->second.next = 0) : it->second.next;
    auto copy = [](auto& to, const std::u16string& from) { to[from.copy(to, std::size(to) - 1)] = 0; };
    if constexpr (kModule) {
      const auto& list = f.modules[it->second.processId];
      if (next >= list.size()) return false;
      copy(entry->name, list[next].name), copy(entry->path, list[next].path), entry->imageSize = list[next++].size;
    } else {
      if (next >= f.processes.size()) return false;
      entry->processId = f.processes[next].id, copy(entry->exeFile, f.processes[next++].exeFile);
    }
    return true;
  }
};

inline FakeWindows::FakeWindows() {
  using win::Handle;
  static const Handle kState = reinterpret_cast<Handle>(0x5000);
  current = this;
  win::WinApi& api = win::Api() = win::DefaultApi();
  api.allocate = [](std::size_t bytes) { return current->refuseAllocation ? nullptr : std::calloc(1, bytes); };
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t id) {
    FakeWindows& f = *current;
    f.calls.push_back("snapshot");
    if (id == 0) id = f.currentProcessId;
    f.badUses_ += flags != 8 && flags != 2;
    const bool fails = flags & 8 ? f.modules.count(id) == 0 : f.processSnapshotFails;
    return fails ? win::InvalidHandle() : f.NewHandle(flags, id);
  };
  api.module32First = [](Handle s, win::ModuleRecord* e) { return Entry(s, e, true); };
  api.module32Next = [](Handle s, win::ModuleRecord* e) { return Entry(s, e, false); };
  api.process32First = [](Handle s, win::ProcessRecord* e) { return Entry(s, e, true); };
  api.process32Next = [](Handle s, win::ProcessRecord* e) { return Entry(s, e, false); };
  api.getCurrentProcessId = [] { return current->currentProcessId; };
  // A process opens when it grants every right asked for; the handle is not
  // for child processes; process 0 never opens.
  api.openProcess = [](uint32_t access, bool inherit, uint32_t id) -> Handle {
    current->calls.push_back("open");
    for (const FakeProcess& p : current->processes)
      if (p.id == id && id != 0 && access != 0 && (access & ~p.rights) == 0 && !inherit)
        return current->NewHandle(0, id, access);
    return nullptr;
  };
  // The Win32 form (flags 0) of the path; the handle must hold
  // PROCESS_QUERY_LIMITED_INFORMATION or PROCESS_QUERY_INFORMATION, and the
  // path with its terminator must fit.
  api.queryFullProcessImageName = [](Handle process, uint32_t flags, char16_t* path, uint32_t* size) {
    FakeWindows& f = *current;
    const auto it = f.open_.find(process);
    if (it == f.open_.end() || it->second.flags != 0 || flags != 0) return ++f.badUses_, false;
    const FakeProcess& p = *std::find_if(f.processes.begin(), f.processes.end(),
                                         [&](const FakeProcess& q) { return q.id == it->second.processId; });
    const bool read = it->second.access & 0x1400 && p.pathReadable && p.imagePath.size() < *size;
    const uint32_t capacity = *size;
    std::fill(path, path + *size, u'?');  // a failed read may leave anything behind, in the size too
    path[*size = read ? static_cast<uint32_t>(p.imagePath.copy(path, *size)) : 3] = 0;
    if (read && p.sizeOverstated) *size = capacity;
    return read;
  };
  api.closeHandle = [](Handle handle) { return current->badUses_ += current->open_.erase(handle) == 0, true; };
  // The provider takes GENERIC_VERIFY_V2 and the 48-byte WINTRUST_DATA for a
  // file, with no window, no UI and no revocation check.
  api.winVerifyTrust = [](Handle window, win::Guid* action, win::TrustData* data) -> int32_t {
    static const win::Guid kV2{0x00AAC56B, 0xCD44, 0x11D0, {0x8C, 0xC2, 0x00, 0xC0, 0x4F, 0xC2, 0x95, 0xEE}};
    FakeWindows& f = *current;
    f.badUses_ += window != nullptr || std::memcmp(action, &kV2, sizeof kV2) != 0 || data->structSize != 48 ||
                  data->uiChoice != 2 || data->revocationChecks != 0 || data->unionChoice != 1 ||
                  data->file->structSize != sizeof(win::TrustFileInfo) || data->file->file != nullptr;
    f.lastError_ = 0;
    if (data->stateAction != 1) return f.badUses_ += data->stateData != kState, --f.trustStates_, 0;
    f.checked.push_back(data->file->filePath), f.calls.push_back(f.redirectionOff ? "unredirected check" : "check");
    data->stateData = kState, ++f.trustStates_;
    const auto it = f.trust.find(data->file->filePath);
    const auto [status, lastError] = it != f.trust.end() ? it->second : std::pair{0x800B0100u, 0x800B0100u};
    f.lastError_ = lastError;
    return static_cast<int32_t>(status);
  };
  api.getLastError = [] { return current->lastError_; };
  api.disableWow64FsRedirection = [](void** previous) {
    FakeWindows& f = *current;
    f.calls.push_back("switch");
    if (!f.hasWow64Switch) return false;
    *previous = f.redirectionOff ? kRedirectionWasOff : kRedirectionWasOn;
    return f.redirectionOff = true;
  };

  // The line, and the switch back: the state handed out before, once.
  api.printLine = [](const char* bytes, std::size_t count) {
    current->printed.emplace_back(bytes, count), current->lastError_ = 0;
  };
  api.revertWow64FsRedirection = [](void* previous) {
    FakeWindows& f = *current;
    f.calls.push_back("revert");
    f.badUses_ += !f.hasWow64Switch || (previous != kRedirectionWasOff && previous != kRedirectionWasOn);
    f.redirectionOff = previous == kRedirectionWasOff;
    return f.hasWow64Switch;
  };
}

// A code page that holds every character, UTF-8, for wideToAnsi: one to
// three bytes a code unit (a surrogate half as three). Nothing is written
// when the bytes would not all fit, as with WideCharToMultiByte.
inline std::size_t Utf8CodePage(const char16_t* text, std::size_t count, char* out, std::size_t capacity) {
  std::string bytes;
  for (const char16_t* c = text; c != text + count; ++c) {
    const int tail = *c < 0x80 ? 0 : *c < 0x800 ? 1 : 2;
    const unsigned lead[] = {0x00, 0xC0, 0xE0};
    bytes += static_cast<char>(lead[tail] | *c >> 6 * tail);
    for (int t = tail - 1; t >= 0; --t) bytes += static_cast<char>(0x80 | (*c >> 6 * t & 0x3F));
  }
  return bytes.size() > capacity ? 0 : bytes.copy(out, capacity);
}

}  // namespace qz::test
