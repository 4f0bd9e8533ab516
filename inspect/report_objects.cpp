#include "inspect/report_objects.h"

#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "platform/toolhelp.h"

namespace qz::inspect {

using namespace qz::report;

const char16_t* WholeModulePath(const win::ModuleRecord& module, bool executable, uint32_t processId,
                                const char16_t* executablePath) {
  std::size_t units = 0;
  while (units < win::kMaxPath && module.path[units] != 0) ++units;
  if (units < win::kMaxPath - 1) return module.path;
  if (!executable) return u"";
  if (executablePath != nullptr) return executablePath;
  // A snapshot of id 0 is the calling process's; a process opens by its real id.
  return ReadProcessImagePath(processId != 0 ? processId : win::Api().getCurrentProcessId());
}

void AppendModuleObject(const win::ModuleRecord& module, const char16_t* path) {
  AppendText("{\"Name\": ");
  AppendQuoted(module.name);
  AppendText(",\"Path\": ");
  AppendQuoted(path, kLongestPath + 1);
  AppendText(",\"Size\": ");
  AppendDecimal(static_cast<int32_t>(module.imageSize));
  AppendText("}");
}

bool AppendModuleArray(uint32_t processId, const char* lead, const char16_t* executablePath) {
  ReportArray modules;
  bool first = true;
  win::ForEachModule(processId, [&](const win::ModuleRecord& module) {
    modules.Open(lead);
    modules.BeginElement();
    AppendModuleObject(module, WholeModulePath(module, first, processId, executablePath));
    first = false;
    return true;
  });
  return modules.Close();
}

void AppendProcessObject(const win::ProcessRecord& process, const char16_t* path) {
  AppendText("{\"Id\": ");
  AppendDecimal(static_cast<int32_t>(process.processId));
  AppendText(",\"Name\": ");
  AppendQuoted(process.exeFile);
  AppendText(",\"Path\": ");
  AppendQuoted(path, kLongestPath + 1);
  // The process's path was read whole already: an empty one stands for its
  // first module too, which must not read it again.
  AppendModuleArray(process.processId, ",\"Module\": ", path);
  AppendText("}");
}

}  // namespace qz::inspect
