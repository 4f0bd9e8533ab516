// QZS_glosdi: the running processes whose main executable does not pass the
// signature check, each with its modules.
#include "include/QZSteam.h"
#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "inspect/report_objects.h"
#include "inspect/signature_verdicts.h"
#include "platform/export.h"
#include "platform/toolhelp.h"

using namespace qz::inspect;
using namespace qz::report;
using namespace qz::win;

QZ_EXPORT char* QZ_CDECL QZS_glosdi() {
  // Without a block nothing could be reported: nothing is asked either.
  if (ResetReportBuffer() == nullptr) return ReportResult();
  AppendText("{");
  // Opened at the first process, so that a list where every process passes
  // reads {"Process": []}.
  ReportArray listed;
  SignatureVerdicts verdicts;
  const WalkOutcome outcome = ForEachProcess([&](const ProcessRecord& process) {
    listed.Open("\"Process\": ");
    if (process.processId == 0) return true;  // the idle process has no file
    const char16_t* path = ReadProcessImagePath(process.processId);
    if (path[0] == 0 || !verdicts.Verify(path).passed()) {
      listed.BeginElement();
      AppendProcessObject(process, path);
    }
    return true;
  });
  listed.Close();
  if (outcome == WalkOutcome::kSnapshotFailed) AppendText("\"Error\" : \"Proc Snap : Invalid Handle\"");
  if (outcome == WalkOutcome::kNoFirstEntry) AppendText("\"Error\" : \"Proc Snap : First value handle failed to get\"");
  AppendText("}");
  return ReportResult();
}
