#pragma once
// One walk over a Toolhelp snapshot, of one process's modules or of the
// system's processes. The snapshot is taken, each entry handed to `visit` in
// order until it answers false or the list ends, and the snapshot closed
// before the walk returns. The outcome tells a failed snapshot from one
// without a first entry, which the reports treat apart.
#include <cstdint>

#include "platform/unique_handle.h"
#include "platform/win_seam.h"

namespace qz::win {

enum class WalkOutcome {
  kSnapshotFailed,
  kNoFirstEntry,
  kWalked,  // `visit` saw at least the first entry
};

template <typename Record, typename Visit>
WalkOutcome WalkSnapshot(uint32_t flags, uint32_t processId, bool (*WinApi::*first)(Handle, Record*),
                         bool (*WinApi::*next)(Handle, Record*), Visit&& visit) {
  UniqueHandle snapshot(Api().createToolhelpSnapshot(flags, processId));
  if (!snapshot.valid()) return WalkOutcome::kSnapshotFailed;
  Record entry{};
  if (!(Api().*first)(snapshot.get(), &entry)) return WalkOutcome::kNoFirstEntry;
  while (visit(static_cast<const Record&>(entry)) && (Api().*next)(snapshot.get(), &entry)) {
  }
  return WalkOutcome::kWalked;
}

// The modules of one process (for id 0: of the calling process);
// visit(const ModuleRecord&) answers whether to go on.
template <typename Visit>
WalkOutcome ForEachModule(uint32_t processId, Visit&& visit) {
  return WalkSnapshot(kSnapModule, processId, &WinApi::module32First, &WinApi::module32Next, visit);
}

// The processes of the system; visit(const ProcessRecord&) answers whether to go on.
template <typename Visit>
WalkOutcome ForEachProcess(Visit&& visit) {
  return WalkSnapshot(kSnapProcess, 0, &WinApi::process32First, &WinApi::process32Next, visit);
}

}  // namespace qz::win
