#include "inspect/report_objects.h"

#include "inspect/report_buffer.h"
#include "platform/toolhelp.h"

namespace qz::inspect {

using namespace qz::report;

void AppendModuleObject(const win::ModuleRecord& module) {
  AppendText("{\"Name\": ");
  AppendQuoted(module.name);
  AppendText(",\"Path\": ");
  AppendQuoted(module.path);
  AppendText(",\"Size\": ");
  AppendDecimal(static_cast<int32_t>(module.imageSize));
  AppendText("}");
}

bool AppendModuleArray(uint32_t processId, const char* lead) {
  ReportArray modules;
  win::ForEachModule(processId, [&](const win::ModuleRecord& module) {
    modules.Open(lead);
    modules.BeginElement();
    AppendModuleObject(module);
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
  AppendQuoted(path, win::kMaxPath);
  AppendModuleArray(process.processId, ",\"Module\": ");
  AppendText("}");
}

}  // namespace qz::inspect
