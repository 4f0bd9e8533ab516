#include "sim/stand_in_entry.h"

#include <windows.h>

#include <string>

#include "sim/account_file.h"

namespace qz::sim {
namespace {

// Made at the first entry; a DLL's entries never run before its static
// initialisation, but a thread-safe local keeps that order out of the question.
CRITICAL_SECTION& Lock() {
  static CRITICAL_SECTION* const lock = [] {
    static CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    return &section;
  }();
  return *lock;
}

}  // namespace

EntryLock::EntryLock() noexcept { EnterCriticalSection(&Lock()); }
EntryLock::~EntryLock() { LeaveCriticalSection(&Lock()); }

void NoteFailedEntry(const char* entry, const std::exception_ptr& fault) noexcept {
  try {
    std::string why = "an unknown exception";
    try {
      std::rethrow_exception(fault);
    } catch (const std::exception& error) {
      why = error.what();
    } catch (...) {
    }
    const std::string line = std::string(entry) + " failed inside the stand-in (" + why + ") and answered as refused";
    WriteLogLine(line);
    OutputDebugStringA(("steam_sim: " + line + "\n").c_str());
  } catch (...) {
    OutputDebugStringA("steam_sim: an entry failed inside the stand-in and answered as refused\n");
  }
}

}  // namespace qz::sim
