// QZS_glosdi: the running processes whose main executable does not pass the
// signature check, each with its modules.
#include "inspect/inspection_exports.h"
#include "inspect/module_report.h"
#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "inspect/signature_verdicts.h"
#include "platform/toolhelp.h"

using namespace qz::inspect;
using namespace qz::report;
using namespace qz::win;

namespace {

constexpr char kErrorInvalidHandle[] = "\"Error\" : \"Proc Snap : Invalid Handle\"";
constexpr char kErrorNoFirstEntry[] = "\"Error\" : \"Proc Snap : First value handle failed to get\"";

// Appends the process's object when it is to be listed; false when it is skipped.
bool AppendProcessObject(const ProcessRecord& process, ReportArray& processes, SignatureVerdicts& verdicts) {
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
  ReportArray processes;
  SignatureVerdicts verdicts;
  bool opened = false;
  const WalkOutcome outcome = ForEachProcess([&](const ProcessRecord& process) {
    if (!opened) {
      opened = true;
      AppendReportText(kKeyProcess);
      processes.Open();
    }
    AppendProcessObject(process, processes, verdicts);
    return true;
  });
  if (outcome == WalkOutcome::kWalked) processes.Close();
  if (outcome == WalkOutcome::kSnapshotFailed) AppendReportText(kErrorInvalidHandle);
  if (outcome == WalkOutcome::kNoFirstEntry) AppendReportText(kErrorNoFirstEntry);
  AppendReportText(kObjectClose);
  return ReportResult();
}
