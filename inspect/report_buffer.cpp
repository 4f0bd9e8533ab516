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

bool IsHighSurrogate(char16_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

// Converts the longest start of the `units` code units at `text` whose bytes
// fit `capacity`, never ending between the two halves of a surrogate pair,
// into `out`; answers its bytes. The conversion fits whole or not at all, so
// a value that does not fit is halved towards the longest start that does.
std::size_t ConvertFitting(const char16_t* text, std::size_t units, char* out, std::size_t capacity) {
  win::WinApi& api = win::Api();
  if (units == 0) return 0;
  const std::size_t whole = api.wideToAnsi(text, units, out, capacity);
  if (whole != 0) return whole;
  std::size_t fits = 0, tooLong = units;
  while (tooLong - fits > 1) {
    const std::size_t middle = fits + (tooLong - fits) / 2;
    if (api.wideToAnsi(text, middle, out, capacity) != 0) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  if (fits > 0 && IsHighSurrogate(text[fits - 1])) --fits;
  return fits == 0 ? 0 : api.wideToAnsi(text, fits, out, capacity);
}

}  // namespace

char* ResetReportBuffer() {
  win::WinApi& api = win::Api();
  if (g_block != nullptr) api.release(g_block);
  g_length = 0;
  g_block = static_cast<char*>(api.allocate(kReportCapacity));
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
  // The scratch keeps a byte for the terminator of a formatted value.
  char scratch[kValueScratchSize];
  Append(scratch, ConvertFitting(value, units, scratch, sizeof scratch - 1));
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
