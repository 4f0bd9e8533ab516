#include "inspect/module_report.h"

#include "inspect/report_buffer.h"
#include "inspect/toolhelp_list.h"

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
  ModuleList modules(processId);
  if (modules.state() != ListState::kHasEntry) return false;
  if (form == ModuleArrayForm::kMember) {
    AppendReportText(kSeparator);
    AppendReportText(kKeyModule);
  }
  ReportArray array;
  array.Open();
  do {
    array.BeginElement();
    AppendModuleObject(modules.entry());
  } while (modules.Next());
  array.Close();
  return true;
}

}  // namespace qz::inspect
