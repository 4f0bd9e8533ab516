#pragma once
// The report buffer: one library-owned block of 900000 bytes, made zero-filled
// at the first report and kept for the process's life, that every reporting
// export clears and fills with one narrow, NUL-terminated text, built front to
// back by plain concatenation (nothing is escaped). Every byte behind the
// terminator is zero: a reset clears only as far as the previous text
// reached, since the rest never held anything.
//
// Appends keep the end position instead of rescanning the block, and are
// bounded: a text that would pass the capacity stops at capacity - 1 with the
// terminator in place, and every later append of that report is dropped.
//
// An address a game keeps shows the newest report, never freed memory. An
// export that takes a text reads it before its reset: the text may be the
// current report's. The block is one unguarded object: the reporting exports
// run on one thread at a time.
#include <cstddef>
#include <cstdint>

namespace qz::report {

inline constexpr std::size_t kReportCapacity = 900000;
inline constexpr std::size_t kValueScratchSize = 500;

// Clears the block for a new report (making it at the first call, or at the
// next one after it could not be allocated); returns it, or null when there
// is none (every append is then dropped).
char* ResetReportBuffer();
// The block of the latest report; null before the first or after a failed allocation.
char* ReportBuffer();
// What a reporting export returns: the latest report's block or, when it could
// not be allocated, the static read-only text `fallback`. Never null.
char* ReportResult(const char* fallback = "");
// Bytes of the current report text, terminator excluded.
std::size_t ReportLength();

// Fixed text of the report's shape: keys, brackets, separators.
void AppendText(const char* text);
// A number as signed decimal.
void AppendDecimal(int32_t value);

// A UTF-16 value (up to its terminator, at most `maxUnits` code units)
// converted to the ANSI code page, with '?' for a character the code page
// lacks. The value passes through a 500-byte scratch: one that converts to
// more than 499 bytes is left out, never cut.
void AppendWide(const char16_t* value, std::size_t maxUnits);
// The same value between double quotes, which are fixed text and always
// written, whatever the value converts to.
void AppendQuoted(const char16_t* value, std::size_t maxUnits);

template <std::size_t N>
void AppendWide(const char16_t (&value)[N]) {
  AppendWide(value, N);
}
template <std::size_t N>
void AppendQuoted(const char16_t (&value)[N]) {
  AppendQuoted(value, N);
}

// One array of a report, written only once it is opened: a lead text and
// "[", then elements separated by single commas, then "]".
class ReportArray {
 public:
  // Appends `lead` and "[" at the first call; later calls append nothing.
  void Open(const char* lead);
  // Appends "," unless this is the array's first element.
  void BeginElement();
  // Appends "]" when the array was opened; answers whether it was.
  bool Close();

 private:
  bool opened_ = false, empty_ = true;
};

}  // namespace qz::report
