#pragma once
// A scriptable stand-in for the Windows seam: processes, module lists and
// trust statuses as the test sets them up; every platform call logged in
// order, every printed line kept, every handle counted.
#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "inspect/win_seam.h"

namespace qz::test {

struct FakeModule {
  std::u16string name, path;
  uint32_t size;
};

// The modules of the worked examples.
inline const FakeModule kDemo{u"demo.exe", u"C:\\Games\\Demo\\demo.exe", 1236992};
inline const FakeModule kRender{u"render.dll", u"C:\\Games\\Demo\\render.dll", 524288};

struct FakeProcess {
  uint32_t id;
  std::u16string exeFile;
  std::u16string imagePath;  // what GetModuleFileNameExW reads
  bool opens = true;
  bool pathReadable = true;
};

struct TrustScript {
  uint32_t status;
  uint32_t lastError = 0;
};

// One WinVerifyTrust call as the trust provider saw it.
struct TrustCall {
  win::Handle window;
  win::Guid action;
  win::TrustData data;
  win::TrustFileInfo file;
  std::u16string path;
};

class FakeWindows {
 public:
  FakeWindows();   // installs itself into win::Api()
  ~FakeWindows();  // puts the default table back

  // The platform as scripted.
  bool processSnapshotFails = false;
  std::vector<FakeProcess> processes;                // in list order; empty: no first entry
  // By process id; absent: the snapshot fails; empty: it has no first entry.
  std::map<uint32_t, std::vector<FakeModule>> modules;
  std::map<std::u16string, TrustScript> trust;       // by path; absent: not signed
  bool hasKernel32 = true, hasWow64Switch = true;
  uint32_t currentProcessId = 4242;

  // What the library did.
  std::vector<std::string> calls;
  std::vector<std::u16string> printed;
  std::vector<TrustCall> trustCalls;
  int handlesOpened = 0;
  int count(const std::string& call) const { return static_cast<int>(std::count(calls.begin(), calls.end(), call)); }
  // Every handle handed out was closed once, and nothing else was closed.
  bool allClosed() const { return open.empty() && unknownCloses == 0; }

  // Internals of the installed functions: the handles not yet closed
  // (flags 0: a process handle).
  struct OpenHandle {
    uint32_t flags, processId;
    std::size_t next;
  };
  std::map<win::Handle, OpenHandle> open;
  int unknownCloses = 0;
  uint32_t lastError = 0;
};

}  // namespace qz::test
