#include "inspect/report_buffer.h"

#include <cstring>

#include "platform/text.h"
#include "platform/win_seam.h"

namespace qz::report {
namespace {

char* g_block = nullptr;
std::size_t g_length = 0;

// Nothing more fits once the text has reached capacity - 1.
bool Full() { return g_block == nullptr || g_length == kReportCapacity - 1; }

void Append(const char* text, std::size_t length) {
  if (g_block == nullptr) return;
  const std::size_t room = kReportCapacity - 1 - g_length;
  const std::size_t n = length < room ? length : room;
  std::memcpy(g_block + g_length, text, n);
  g_length += n;  // the byte after the text is still zero from the reset
}

}  // namespace

char* ResetReportBuffer() {
  if (g_block == nullptr) {
    g_block = static_cast<char*>(win::Api().allocate(kReportCapacity));
  } else {
    // Every byte past the previous text's terminator is zero already.
    std::memset(g_block, 0, g_length + 1);
  }
  g_length = 0;
  return g_block;
}

char* ReportBuffer() { return g_block; }

char* ReportResult(const char* fallback) {
  // The game only reads the text; the static fallback is never written.
  return g_block != nullptr ? g_block : const_cast<char*>(fallback != nullptr ? fallback : "");
}

std::size_t ReportLength() { return g_length; }

void AppendText(const char* text) {
  if (text != nullptr) Append(text, std::strlen(text));
}

void AppendDecimal(int32_t value) {
  char digits[text::kDecimalSize];
  Append(digits, text::WriteDecimal(value, digits));
}

void AppendWide(const char16_t* value, std::size_t maxUnits) {
  if (Full() || value == nullptr) return;
  std::size_t units = 0;
  while (units < maxUnits && value[units] != 0) ++units;
  if (units == 0) return;
  // The scratch keeps a byte for the terminator of a formatted value. A value
  // that does not fit is left out whole: a cut path would name another file,
  // or none.
  char scratch[kValueScratchSize];
  Append(scratch, win::Api().wideToAnsi(value, units, scratch, sizeof scratch - 1));
}

void AppendQuoted(const char16_t* value, std::size_t maxUnits) {
  AppendText("\"");
  AppendWide(value, maxUnits);
  AppendText("\"");
}

void ReportArray::Open(const char* lead) {
  if (opened_) return;
  opened_ = true;
  AppendText(lead);
  AppendText("[");
}

void ReportArray::BeginElement() {
  if (!empty_) AppendText(",");
  empty_ = false;
}

bool ReportArray::Close() {
  if (opened_) AppendText("]");
  return opened_;
}

}  // namespace qz::report
