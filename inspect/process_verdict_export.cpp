// VerifyProcessProfile: whether one process's main executable passes the
// signature check, as a one-object report.
#include "include/QZSteam.h"
#include "inspect/process_image_path.h"
#include "inspect/report_buffer.h"
#include "inspect/signature_check.h"
#include "platform/export.h"
#include "platform/win_seam.h"

using namespace qz::inspect;
using namespace qz::report;

QZ_EXPORT char* QZ_CDECL VerifyProcessProfile(uint32_t processId) {
  if (ResetReportBuffer() == nullptr) return ReportResult();
  // 0 is the calling process, as for the other exports that take a process
  // id; a process is opened by its real id.
  if (processId == 0) processId = qz::win::Api().getCurrentProcessId();
  const char16_t* path = ReadProcessImagePath(processId);
  // An unreadable path is not verified: there is no file to check.
  const bool passed = path[0] != 0 && VerifyProcessFile(path).passed();
  AppendText("{\"Id\": ");
  AppendDecimal(static_cast<int32_t>(processId));
  AppendText(",\"Path\": ");
  AppendQuoted(path, kLongestPath + 1);
  AppendText(",\"Verdict\": ");
  AppendText(passed ? "\"PASSED\"" : "\"FAILED\"");
  AppendText("}");
  return ReportResult();
}
