// What the inspection reports of QZSteam.dll cost next to the bare system
// calls that gather the same data, in one process on one machine. A report
// and its bare walk run as a pair, each of them first in every other pair, so
// that neither gains from caches the other warmed; the medians of the report
// times, of the walk times and of the pairs' ratios are printed.
//
// The bare walks:
//   GetModuleProfile  a module snapshot (TH32CS_SNAPMODULE) walked to its end;
//   GetExePath        the same snapshot's first entry;
//   VerifyProcessProfile  the process's path (OpenProcess with
//                     PROCESS_QUERY_LIMITED_INFORMATION, QueryFullProcessImageNameW),
//                     one trust check of it with the thread's WOW64 redirection
//                     off, and the check's line written onto the standard output
//                     (the row after it: the path and the check alone);
//   QZS_glosdi        a process snapshot; for every process but id 0 its path as
//                     above, one trust check per distinct path, and the module
//                     snapshot of every process whose file does not pass.
// The trust lines the DLL prints go to NUL while the pairs run.
//
// Afterwards one inventory is read for how many processes it lists with an
// empty path, next to how many paths the bare walk read.
//
// Usage: qzsteam_bench_reports [PAIRS]   (default 201; the inventory runs a
// fifth as many pairs, at least 11). QZSteam.dll is loaded from the program's folder.
#include <windows.h>
// After windows.h:
#include <fcntl.h>
#include <io.h>
#include <softpub.h>
#include <tlhelp32.h>
#include <wintrust.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

using ProcessReport = char*(__cdecl*)(uint32_t);
using InventoryReport = char*(__cdecl*)();

double Milliseconds() {
  static const double perMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / perMs;
}

// The entries of a module snapshot of `processId`, walked to the end or only to the first.
int WalkModules(DWORD flags, DWORD processId, bool firstOnly = false) {
  HANDLE snapshot = CreateToolhelp32Snapshot(flags, processId);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  MODULEENTRY32W entry{};
  entry.dwSize = sizeof entry;
  int entries = 0;
  for (BOOL more = Module32FirstW(snapshot, &entry); more; more = Module32NextW(snapshot, &entry)) {
    ++entries;
    if (firstOnly) break;
  }
  CloseHandle(snapshot);
  return entries;
}

// The full path of a process's main executable, read with the least rights
// that give it; false when the process cannot be opened or read.
bool ReadImagePath(DWORD processId, wchar_t (&path)[MAX_PATH]) {
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process == nullptr) return false;
  DWORD size = MAX_PATH;
  const BOOL read = QueryFullProcessImageNameW(process, 0, path, &size);
  CloseHandle(process);
  return read != FALSE && size > 0;
}

// One trust check and the release of its state; true where the DLL's check
// passes (verified, or present but not trusted). With `asTheProcessCheck`, as
// the DLL checks a process's file: redirection off for the check, and its
// line printed with the path in the ANSI code page.
bool SignaturePasses(const wchar_t* path, bool asTheProcessCheck = false) {
  void* redirection = nullptr;
  if (asTheProcessCheck) Wow64DisableWow64FsRedirection(&redirection);
  WINTRUST_FILE_INFO file{};
  file.cbStruct = sizeof file;
  file.pcwszFilePath = path;
  WINTRUST_DATA data{};
  data.cbStruct = sizeof data;
  data.dwUIChoice = WTD_UI_NONE;
  data.fdwRevocationChecks = WTD_REVOKE_NONE;
  data.dwUnionChoice = WTD_CHOICE_FILE;
  data.pFile = &file;
  data.dwStateAction = WTD_STATEACTION_VERIFY;
  GUID action = WINTRUST_ACTION_GENERIC_VERIFY_V2;
  const LONG status = WinVerifyTrust(nullptr, &action, &data);
  if (asTheProcessCheck) {
    char narrow[3 * MAX_PATH + 1];
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, path, -1, narrow, sizeof narrow, "?", nullptr);
    printf_s(status == ERROR_SUCCESS ? "The file \"%s\" is signed and the signature was verified.\n"
                                     : "The file \"%s\" is not signed.\n", narrow);
  }
  data.dwStateAction = WTD_STATEACTION_CLOSE;
  WinVerifyTrust(nullptr, &action, &data);
  if (asTheProcessCheck) Wow64RevertWow64FsRedirection(redirection);
  return status == ERROR_SUCCESS || status == static_cast<LONG>(TRUST_E_SUBJECT_NOT_TRUSTED);
}

bool ProcessPasses(DWORD processId, bool asTheProcessCheck) {
  wchar_t path[MAX_PATH];
  return ReadImagePath(processId, path) && SignaturePasses(path, asTheProcessCheck);
}

struct InventoryWalk {
  int processes = 0, pathsRead = 0;
};

InventoryWalk WalkInventory() {
  InventoryWalk walk;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return walk;
  std::vector<std::pair<std::wstring, bool>> verdicts;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (entry.th32ProcessID == 0) continue;
    ++walk.processes;
    wchar_t path[MAX_PATH];
    bool passes = false;
    if (ReadImagePath(entry.th32ProcessID, path)) {
      ++walk.pathsRead;
      auto known = std::find_if(verdicts.begin(), verdicts.end(), [&](const auto& v) { return v.first == path; });
      if (known == verdicts.end()) known = verdicts.insert(verdicts.end(), {path, SignaturePasses(path)});
      passes = known->second;
    }
    if (!passes) WalkModules(TH32CS_SNAPMODULE, entry.th32ProcessID);
  }
  CloseHandle(snapshot);
  return walk;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Row {
  std::string name;
  int pairs;
  double report, bare, ratio;  // medians: milliseconds, and report / bare of each pair
};

template <typename Report, typename Bare>
Row Measure(const char* name, int pairs, Report report, Bare bare) {
  // The first calls load the trust provider and warm the caches.
  report();
  bare();
  std::vector<double> reports, bares, ratios;
  for (int i = 0; i < pairs; ++i) {
    double t0 = Milliseconds(), t1, t2;
    if (i % 2 == 0) {
      report();
      t1 = Milliseconds();
      bare();
      t2 = Milliseconds();
      reports.push_back(t1 - t0), bares.push_back(t2 - t1);
    } else {
      bare();
      t1 = Milliseconds();
      report();
      t2 = Milliseconds();
      bares.push_back(t1 - t0), reports.push_back(t2 - t1);
    }
    ratios.push_back(reports.back() / bares.back());
  }
  return {name, pairs, Median(reports), Median(bares), Median(ratios)};
}

// The standard output, which the DLL shares with this program, goes to NUL
// while an object of this lives.
class QuietStdout {
 public:
  QuietStdout() {
    std::fflush(stdout);
    saved_ = _dup(1);
    const int nul = _open("NUL", _O_WRONLY);
    _dup2(nul, 1);
    _close(nul);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    _dup2(saved_, 1);
    _close(saved_);
  }

 private:
  int saved_;
};

// Processes of an inventory report, and those of them with an empty path: a
// process object's path is followed by its module array or its closing brace,
// a module's path by its size.
std::pair<int, int> CountListed(const std::string& report) {
  int listed = 0, emptyPaths = 0;
  for (std::size_t at = 0; (at = report.find("{\"Id\": ", at)) != std::string::npos; ++at) ++listed;
  const std::string empty = "\"Path\": \"\"";
  for (std::size_t at = 0; (at = report.find(empty, at)) != std::string::npos; ++at) {
    const std::size_t after = at + empty.size();
    if (report.compare(after, 1, "}") == 0 || report.compare(after, 9, ",\"Module\"") == 0) ++emptyPaths;
  }
  return {listed, emptyPaths};
}

}  // namespace

int main(int argc, char** argv) {
  const int pairs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 201;
  const int inventoryPairs = std::max(11, pairs / 5);

  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  std::wstring dll = program;
  dll = dll.substr(0, dll.find_last_of(L'\\') + 1) + L"QZSteam.dll";
  HMODULE library = LoadLibraryW(dll.c_str());
  if (library == nullptr) {
    std::fprintf(stderr, "cannot load %ls (error %lu)\n", dll.c_str(), GetLastError());
    return 1;
  }
  auto find = [&](const char* name) { return reinterpret_cast<void*>(GetProcAddress(library, name)); };
  const auto moduleProfile = reinterpret_cast<ProcessReport>(find("GetModuleProfile"));
  const auto exePath = reinterpret_cast<ProcessReport>(find("GetExePath"));
  const auto processVerdict = reinterpret_cast<ProcessReport>(find("VerifyProcessProfile"));
  const auto inventory = reinterpret_cast<InventoryReport>(find("QZS_glosdi"));
  if (!moduleProfile || !exePath || !processVerdict || !inventory) {
    std::fprintf(stderr, "QZSteam.dll lacks an inspection export\n");
    return 1;
  }

  const DWORD self = GetCurrentProcessId();
  std::vector<Row> rows;
  std::string listing;
  InventoryWalk walk;
  {
    QuietStdout quiet;
    rows.push_back(Measure("GetModuleProfile(0)", pairs, [&] { moduleProfile(0); },
                           [] { WalkModules(TH32CS_SNAPMODULE, 0); }));
    rows.push_back(Measure("  the same, walk with TH32CS_SNAPALL", pairs, [&] { moduleProfile(0); },
                           [] { WalkModules(TH32CS_SNAPALL, 0); }));
    rows.push_back(Measure("GetExePath(0)", pairs, [&] { exePath(0); },
                           [] { WalkModules(TH32CS_SNAPMODULE, 0, true); }));
    rows.push_back(Measure("VerifyProcessProfile(0)", pairs, [&] { processVerdict(0); },
                           [&] { ProcessPasses(self, true); }));
    rows.push_back(Measure("  the same, walk without line or switch", pairs, [&] { processVerdict(0); },
                           [&] { ProcessPasses(self, false); }));
    rows.push_back(Measure("QZS_glosdi()", inventoryPairs, [&] { inventory(); }, [] { WalkInventory(); }));
    listing = inventory();
    walk = WalkInventory();
  }

  std::printf("QZSteam.dll's inspection reports against the bare system calls (medians of paired runs)\n");
  std::printf("%-38s %6s %12s %12s %8s\n", "report", "pairs", "report ms", "bare ms", "ratio");
  for (const Row& row : rows)
    std::printf("%-38s %6d %12.3f %12.3f %8.3f\n", row.name.c_str(), row.pairs, row.report, row.bare, row.ratio);
  const auto [listed, emptyPaths] = CountListed(listing);
  std::printf("QZS_glosdi lists %d processes, %d of them with an empty path; of the %d processes the walk\n"
              "met (id 0 aside), a limited-rights open read %d paths.\n",
              listed, emptyPaths, walk.processes, walk.pathsRead);
  return 0;
}
