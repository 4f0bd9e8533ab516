#include "inspect/module_report.h"

#include "inspect/report_buffer.h"
#include "platform/toolhelp.h"

namespace qz::inspect {

using namespace qz::report;

void AppendModuleObject(const win::ModuleRecord& module) {
  AppendReportText(kObjectOpen);
  AppendReportText(kKeyName);
  AppendReportQuotedWide(module.name);
  AppendReportText(kSeparator);
  AppendReportText(kKeyPath);
  AppendReportQuotedWide(module.path);
  AppendReportText(kSeparator);
  AppendReportText(kKeySize);
  AppendReportValue(kFormatDecimal, static_cast<int32_t>(module.imageSize));
  AppendReportText(kObjectClose);
}

bool AppendModuleArray(uint32_t processId, ModuleArrayForm form) {
  ReportArray array;
  bool opened = false;
  win::ForEachModule(processId, [&](const win::ModuleRecord& module) {
    if (!opened) {
      opened = true;
      if (form == ModuleArrayForm::kMember) {
        AppendReportText(kSeparator);
        AppendReportText(kKeyModule);
      }
      array.Open();
    }
    array.BeginElement();
    AppendModuleObject(module);
    return true;
  });
  if (opened) array.Close();
  return opened;
}

}  // namespace qz::inspect
