#pragma once
// One walk over a Toolhelp snapshot of modules or processes. The snapshot is
// taken and the first entry read on construction; state() then tells a failed
// snapshot from one without a first entry, which the reports treat apart.
// The snapshot is closed when the walk ends (or earlier, through Close).
#include <cstdint>

#include "inspect/unique_handle.h"
#include "inspect/win_seam.h"

namespace qz::inspect {

enum class ListState {
  kSnapshotFailed,
  kNoFirstEntry,
  kHasEntry,  // entry() holds the current entry
};

// The modules of one process (for id 0: of the calling process).
struct ModuleListKind {
  using Record = win::ModuleRecord;
  static constexpr uint32_t kFlags = win::kSnapAll;
  static bool First(win::Handle snapshot, Record* entry) { return win::Api().module32First(snapshot, entry); }
  static bool Next(win::Handle snapshot, Record* entry) { return win::Api().module32Next(snapshot, entry); }
};

// The processes of the system; the process id passed is 0.
struct ProcessListKind {
  using Record = win::ProcessRecord;
  static constexpr uint32_t kFlags = win::kSnapProcess;
  static bool First(win::Handle snapshot, Record* entry) { return win::Api().process32First(snapshot, entry); }
  static bool Next(win::Handle snapshot, Record* entry) { return win::Api().process32Next(snapshot, entry); }
};

template <typename Kind>
class ToolhelpList {
 public:
  using Record = typename Kind::Record;

  explicit ToolhelpList(uint32_t processId)
      : snapshot_(win::Api().createToolhelpSnapshot(Kind::kFlags, processId)) {
    if (!snapshot_.valid()) {
      state_ = ListState::kSnapshotFailed;
    } else {
      state_ = Kind::First(snapshot_.get(), &entry_) ? ListState::kHasEntry : ListState::kNoFirstEntry;
    }
  }

  ListState state() const { return state_; }
  const Record& entry() const { return entry_; }

  // Reads the next entry into entry(); false at the end of the list.
  bool Next() { return Kind::Next(snapshot_.get(), &entry_); }

  void Close() { snapshot_.reset(); }

 private:
  UniqueHandle snapshot_;
  Record entry_{};
  ListState state_ = ListState::kSnapshotFailed;
};

using ModuleList = ToolhelpList<ModuleListKind>;
using ProcessList = ToolhelpList<ProcessListKind>;

}  // namespace qz::inspect
