// How fast the inventory reports are built, next to a memcpy of as many bytes
// in the same run (counter "x_memcpy"). The platform is a lean in-memory
// stand-in: every process is unsigned and has the same modules.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <string>
#include <vector>

#include "include/QZSteam.h"
#include "inspect/report_buffer.h"
#include "platform/win_seam.h"

namespace {

using qz::win::Handle;

uint32_t g_processes, g_modulesPerProcess, g_nextProcess, g_nextModule;

void Fill(char16_t* to, const char16_t* from) {
  std::char_traits<char16_t>::copy(to, from, std::char_traits<char16_t>::length(from) + 1);
}

bool ModuleEntry(Handle, qz::win::ModuleRecord* entry) {
  if (g_nextModule == g_modulesPerProcess) return false;
  Fill(entry->name, u"module.dll");
  Fill(entry->path, u"C:\\Program Files (x86)\\Vendor\\Product\\module.dll");
  entry->imageSize = 1236992 + g_nextModule++;
  return true;
}

bool ProcessEntry(Handle, qz::win::ProcessRecord* entry) {
  if (g_nextProcess == g_processes) return false;
  entry->processId = 4 * ++g_nextProcess;
  Fill(entry->exeFile, u"program.exe");
  return true;
}

void Install(uint32_t processes, uint32_t modulesPerProcess) {
  g_processes = processes;
  g_modulesPerProcess = modulesPerProcess;
  qz::win::WinApi& api = qz::win::Api();
  api.createToolhelpSnapshot = [](uint32_t flags, uint32_t) {
    if (flags == qz::win::kSnapModule) g_nextModule = 0;
    return reinterpret_cast<Handle>(0x100);
  };
  api.module32First = api.module32Next = &ModuleEntry;
  api.process32First = api.process32Next = &ProcessEntry;
  api.openProcess = [](uint32_t, bool, uint32_t) { return reinterpret_cast<Handle>(0x200); };
  api.queryFullProcessImageName = [](Handle, uint32_t, char16_t* path, uint32_t* size) {
    Fill(path, u"C:\\Program Files (x86)\\Vendor\\program.exe");
    *size = 41;
    return true;
  };
  api.closeHandle = [](Handle) { return true; };
  api.winVerifyTrust = [](Handle, qz::win::Guid*, qz::win::TrustData*) { return static_cast<int32_t>(0x800B0100u); };
  api.getLastError = []() -> uint32_t { return 0x800B0100u; };
  api.printLine = [](const char*, std::size_t) {};
}

// Runs `report` and a memcpy of its length per iteration, each timed on its own.
template <typename Report>
void CompareWithMemcpy(benchmark::State& state, Report report) {
  std::vector<char> copy(qz::report::kReportCapacity);
  double reportSeconds = 0, memcpySeconds = 0;
  std::size_t bytes = 0;
  using Clock = std::chrono::steady_clock;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    const char* text = report();
    const auto t1 = Clock::now();
    bytes = qz::report::ReportLength();
    std::memcpy(copy.data(), text, bytes);
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    reportSeconds += std::chrono::duration<double>(t1 - t0).count();
    memcpySeconds += std::chrono::duration<double>(t2 - t1).count();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["x_memcpy"] = reportSeconds / memcpySeconds;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

// About 300 processes of 100 modules: more text than the report holds.
void ProcessInventoryPastCapacity(benchmark::State& state) {
  Install(300, 100);
  CompareWithMemcpy(state, [] {
    g_nextProcess = 0;
    return QZS_glosdi();
  });
}
BENCHMARK(ProcessInventoryPastCapacity)->Unit(benchmark::kMicrosecond);

void ModuleProfileOf1000Modules(benchmark::State& state) {
  Install(0, 1000);
  CompareWithMemcpy(state, [] { return GetModuleProfile(4); });
}
BENCHMARK(ModuleProfileOf1000Modules)->Unit(benchmark::kMicrosecond);

}  // namespace
