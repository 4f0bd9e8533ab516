#pragma once
// The objects of the module and process reports, each rendered in one place.
#include <cstdint>

#include "platform/win_seam.h"

namespace qz::inspect {

// {"Name": "<szModule>","Path": "<szExePath>","Size": <modBaseSize>}
void AppendModuleObject(const win::ModuleRecord& module);

// When the process's module snapshot has a first entry: `lead`, then
// [<module object>,...] of its modules; answers true. Otherwise appends
// nothing and answers false.
bool AppendModuleArray(uint32_t processId, const char* lead);

// {"Id": <th32ProcessID>,"Name": "<szExeFile>","Path": "<path>"}, with
// ,"Module": [...] before the closing brace when the process's module
// snapshot has a first entry.
void AppendProcessObject(const win::ProcessRecord& process, const char16_t* path);

}  // namespace qz::inspect
