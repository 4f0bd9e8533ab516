// QZS_glosdi: the running processes whose main executable does not pass the
// signature check, each with its modules.
#include "inspect/inspection_exports.h"
#include "inspect/module_report.h"
#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "inspect/signature_verdicts.h"
#include "inspect/toolhelp_list.h"

using namespace qz::inspect;
using namespace qz::report;

namespace {

constexpr char kErrorInvalidHandle[] = "\"Error\" : \"Proc Snap : Invalid Handle\"";
constexpr char kErrorNoFirstEntry[] = "\"Error\" : \"Proc Snap : First value handle failed to get\"";

// Appends the process's object when it is to be listed; false when it is skipped.
bool AppendProcessObject(const qz::win::ProcessRecord& process, ReportArray& processes, SignatureVerdicts& verdicts) {
  if (process.processId == 0) return false;
  const ProcessImagePath path = ReadProcessImagePath(process.processId);
  if (!path.empty() && verdicts.Verify(path.text).passed()) return false;

  processes.BeginElement();
  AppendReportText(kObjectOpen);
  AppendReportText(kKeyId);
  AppendReportValue(kFormatDecimal, static_cast<int32_t>(process.processId));
  AppendReportText(kSeparator);
  AppendReportText(kKeyName);
  AppendReportQuotedWide(process.exeFile);
  AppendReportText(kSeparator);
  AppendReportText(kKeyPath);
  AppendReportQuotedWide(path.text);
  AppendModuleArray(process.processId, ModuleArrayForm::kMember);
  AppendReportText(kObjectClose);
  return true;
}

}  // namespace

QZ_EXPORT char* QZ_CDECL QZS_glosdi() {
  // Without a block nothing could be reported: nothing is asked either.
  if (ResetReportBuffer() == nullptr) return ReportResult();
  AppendReportText(kObjectOpen);
  ProcessList list(0);
  switch (list.state()) {
    case ListState::kSnapshotFailed:
      AppendReportText(kErrorInvalidHandle);
      break;
    case ListState::kNoFirstEntry:
      AppendReportText(kErrorNoFirstEntry);
      list.Close();
      break;
    case ListState::kHasEntry: {
      AppendReportText(kKeyProcess);
      ReportArray processes;
      SignatureVerdicts verdicts;
      processes.Open();
      do {
        AppendProcessObject(list.entry(), processes, verdicts);
      } while (list.Next());
      processes.Close();
      list.Close();
      break;
    }
  }
  AppendReportText(kObjectClose);
  return ReportResult();
}
