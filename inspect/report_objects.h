#pragma once
// The objects of the module and process reports, each rendered in one place.
#include <cstdint>

#include "platform/win_seam.h"

namespace qz::inspect {

// The path a report gives for a module of a snapshot, whole or not at all.
// Toolhelp cuts a path to the 259 code units its field holds, so a path
// that fills the field may be the start of a longer one: for the first
// module, the process's executable, the whole path is read as the process
// reports read it (`executablePath` when the caller has read it already);
// any other such path is empty.
const char16_t* WholeModulePath(const win::ModuleRecord& module, bool executable, uint32_t processId,
                                const char16_t* executablePath = nullptr);

// {"Name": "<szModule>","Path": "<path>","Size": <modBaseSize>}
void AppendModuleObject(const win::ModuleRecord& module, const char16_t* path);

// When the process's module snapshot has a first entry: `lead`, then
// [<module object>,...] of its modules; answers true. Otherwise appends
// nothing and answers false. `executablePath` as for WholeModulePath.
bool AppendModuleArray(uint32_t processId, const char* lead, const char16_t* executablePath = nullptr);

// {"Id": <th32ProcessID>,"Name": "<szExeFile>","Path": "<path>"}, with
// ,"Module": [...] before the closing brace when the process's module
// snapshot has a first entry.
void AppendProcessObject(const win::ProcessRecord& process, const char16_t* path);

}  // namespace qz::inspect
