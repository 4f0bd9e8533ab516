#pragma once
// Renders the modules of one process into the report.
#include <cstdint>

#include "platform/win_seam.h"

namespace qz::inspect {

// {"Name": "<szModule>","Path": "<szExePath>","Size": <modBaseSize>}
void AppendModuleObject(const win::ModuleRecord& module);

enum class ModuleArrayForm {
  kBare,    // [...]: the whole module report
  kMember,  // ,"Module": [...]: the last member of a process object
};

// When the process's module snapshot has a first entry, appends the array of
// its modules in the given form and returns true. Otherwise appends nothing
// and returns false.
bool AppendModuleArray(uint32_t processId, ModuleArrayForm form);

}  // namespace qz::inspect
