// GetModuleProfile and GetExePath: reports on one process's module snapshot.
#include "include/QZSteam.h"
#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "inspect/report_objects.h"
#include "platform/export.h"
#include "platform/toolhelp.h"

using namespace qz::report;

QZ_EXPORT char* QZ_CDECL GetModuleProfile(uint32_t processId) {
  if (ResetReportBuffer() == nullptr) return ReportResult();
  qz::inspect::AppendModuleArray(processId, "");
  return ReportResult();
}

QZ_EXPORT char* QZ_CDECL GetExePath(uint32_t processId) {
  if (ResetReportBuffer() == nullptr) return ReportResult();
  // The platform lists a process's main executable as its first module.
  qz::win::ForEachModule(processId, [&](const qz::win::ModuleRecord& module) {
    AppendWide(qz::inspect::WholeModulePath(module, true, processId), qz::inspect::kLongestPath + 1);
    return false;
  });
  return ReportResult();
}
