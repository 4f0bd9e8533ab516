#include "inspect/report_buffer.h"

#include <cstdio>
#include <cstring>

#include "inspect/win_seam.h"

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

void AppendReportText(const char* text) {
  if (text != nullptr) Append(text, std::strlen(text));
}

void AppendReportValue(const char* format, int32_t value) {
  if (Full()) return;
  if (std::strcmp(format, kFormatDecimal) == 0) {
    // The reports' one number format, without a trip through sprintf: the
    // sign, then the digits of the magnitude (INT32_MIN included).
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
      *--p = static_cast<char>('0' + magnitude % 10);
      magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) *--p = '-';
    Append(p, static_cast<std::size_t>(end - p));
    return;
  }
  char scratch[kValueScratchSize];
  int n = std::snprintf(scratch, sizeof scratch, format, static_cast<int>(value));
  if (n < 0) return;
  Append(scratch, static_cast<std::size_t>(n) < sizeof scratch ? static_cast<std::size_t>(n) : sizeof scratch - 1);
}

void AppendReportValue(const char* format, const char16_t* value) {
  if (Full()) return;
  char scratch[kValueScratchSize];
  Append(scratch, win::Api().formatWide(scratch, sizeof scratch, format, value));
}

void ReportArray::Open() {
  AppendReportText(kArrayOpen);
  first_ = true;
}

void ReportArray::BeginElement() {
  if (!first_) AppendReportText(kSeparator);
  first_ = false;
}

void ReportArray::Close() { AppendReportText(kArrayClose); }

}  // namespace qz::report
