#pragma once
// The report buffer: one library-owned, zero-filled block of 900000 bytes that
// every reporting export replaces and fills with one narrow, NUL-terminated
// text, built front to back by plain concatenation (nothing is escaped).
//
// Appends keep the end position instead of rescanning the block, and are
// bounded: a text that would pass the capacity stops at capacity - 1 with the
// terminator in place, and every later append of that report is dropped.
//
// A report's text stays valid only until the next reporting call releases its
// block. An export that takes a text reads it before its reset: the text may
// be the current report's.
#include <cstddef>
#include <cstdint>

namespace qz::report {

inline constexpr std::size_t kReportCapacity = 900000;
inline constexpr std::size_t kValueScratchSize = 500;

// Fixed texts of the reports.
inline constexpr char kArrayOpen[] = "[";
inline constexpr char kArrayClose[] = "]";
inline constexpr char kObjectOpen[] = "{";
inline constexpr char kObjectClose[] = "}";
inline constexpr char kSeparator[] = ",";
inline constexpr char kQuote[] = "\"";
inline constexpr char kKeyName[] = "\"Name\": ";
inline constexpr char kKeyPath[] = "\"Path\": ";
inline constexpr char kKeySize[] = "\"Size\": ";
inline constexpr char kKeyProcess[] = "\"Process\": ";
inline constexpr char kKeyId[] = "\"Id\": ";
inline constexpr char kKeyModule[] = "\"Module\": ";

// The number format, as the C runtime's sprintf reads it.
inline constexpr char kFormatDecimal[] = "%d";

// Releases the previous block and makes a fresh zero-filled one; returns it,
// or null when it could not be allocated (every append is then dropped).
char* ResetReportBuffer();
// The block of the latest report; null before the first or after a failed allocation.
char* ReportBuffer();
// What a reporting export returns: the latest report's block or, when it could
// not be allocated, the static read-only text `fallback`. Never null.
char* ReportResult(const char* fallback = "");
// Bytes of the current report text, terminator excluded.
std::size_t ReportLength();

void AppendReportText(const char* text);
// Formats one value into a 500-byte scratch (cut to fit) and appends it.
void AppendReportValue(const char* format, int32_t value);

// Appends a UTF-16 value (up to its terminator, at most `maxUnits` code units)
// converted to the ANSI code page, with '?' for a character the code page
// lacks. The value passes through the 500-byte scratch: one longer than 499
// bytes is cut there, after a whole character.
void AppendReportWide(const char16_t* value, std::size_t maxUnits);
// The same value between double quotes, which are fixed text and always
// written, whatever the value converts to.
void AppendReportQuotedWide(const char16_t* value, std::size_t maxUnits);

template <std::size_t N>
void AppendReportWide(const char16_t (&value)[N]) {
  AppendReportWide(value, N);
}
template <std::size_t N>
void AppendReportQuotedWide(const char16_t (&value)[N]) {
  AppendReportQuotedWide(value, N);
}

// One array of a report: "[" then elements separated by single commas, then "]".
class ReportArray {
 public:
  // Appends "[" and arms the first-element flag.
  void Open();
  // Appends "," unless this is the array's first element.
  void BeginElement();
  void Close();

 private:
  bool first_ = true;
};

}  // namespace qz::report
