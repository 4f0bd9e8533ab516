// GetModuleProfile and GetExePath: reports on one process's module snapshot.
#include "inspect/inspection_exports.h"
#include "inspect/module_report.h"
#include "inspect/report_buffer.h"
#include "platform/toolhelp.h"

using namespace qz::inspect;
using namespace qz::report;

QZ_EXPORT char* QZ_CDECL GetModuleProfile(uint32_t processId) {
  if (ResetReportBuffer() == nullptr) return ReportResult();
  AppendModuleArray(processId, ModuleArrayForm::kBare);
  return ReportResult();
}

QZ_EXPORT char* QZ_CDECL GetExePath(uint32_t processId) {
  if (ResetReportBuffer() == nullptr) return ReportResult();
  // The platform lists a process's main executable as its first module.
  qz::win::ForEachModule(processId, [](const qz::win::ModuleRecord& module) {
    AppendReportWide(module.path);
    return false;
  });
  return ReportResult();
}
