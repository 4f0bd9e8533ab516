#include "platform/text.h"

#include <type_traits>

namespace qz::text {
namespace {

// The digits of `magnitude` in `base` (10 or 16), after a '-' where `negative`.
template <class Unsigned>
std::size_t WriteDigits(Unsigned magnitude, Unsigned base, bool negative, char* out) {
  char digits[kDecimalSize];
  std::size_t n = 0;
  do {
    digits[n++] = "0123456789abcdef"[magnitude % base];
    magnitude /= base;
  } while (magnitude != 0);
  std::size_t length = 0;
  if (negative) out[length++] = '-';
  while (n > 0) out[length++] = digits[--n];
  return length;
}

// The magnitude is taken in unsigned arithmetic, where the most negative
// value has one too.
template <class Signed>
std::size_t WriteSignedDecimal(Signed value, char* out) {
  using Unsigned = std::make_unsigned_t<Signed>;
  const Unsigned magnitude = value < 0 ? Unsigned{0} - static_cast<Unsigned>(value) : static_cast<Unsigned>(value);
  return WriteDigits<Unsigned>(magnitude, 10, value < 0, out);
}

}  // namespace

std::size_t WriteDecimal(int32_t value, char* out) { return WriteSignedDecimal(value, out); }
std::size_t WriteDecimal(uint32_t value, char* out) { return WriteDigits<uint32_t>(value, 10, false, out); }
std::size_t WriteDecimal(int64_t value, char* out) { return WriteSignedDecimal(value, out); }
std::size_t WriteDecimal(uint64_t value, char* out) { return WriteDigits<uint64_t>(value, 10, false, out); }
std::size_t WriteHex(uint64_t value, char* out) { return WriteDigits<uint64_t>(value, 16, false, out); }

char* EncodeHexUpper(const unsigned char* bytes, std::size_t n, char* out) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < n; ++i) {
    out[2 * i] = kDigits[bytes[i] >> 4];
    out[2 * i + 1] = kDigits[bytes[i] & 0x0F];
  }
  out[2 * n] = '\0';
  return out;
}

std::u16string FormatTrustLine(const char16_t* message, const char16_t* path, uint32_t value) {
  std::u16string line;
  for (const char16_t* m = message; *m != 0; ++m) {
    if (m[0] == u'%' && m[1] == u's') {
      if (path != nullptr) line += path;
      ++m;
    } else if (m[0] == u'%' && m[1] == u'x') {
      char digits[kHexSize];
      line.append(digits, digits + WriteHex(value, digits));
      ++m;
    } else {
      line += *m;
    }
  }
  return line;
}

std::size_t WidenLatin1(const char* bytes, std::size_t count, char16_t* out, std::size_t capacity) {
  const std::size_t n = count < capacity ? count : capacity;
  for (std::size_t i = 0; i < n; ++i) out[i] = static_cast<unsigned char>(bytes[i]);
  return n;
}

std::size_t NarrowToAscii(const char16_t* text, std::size_t count, char* out, std::size_t capacity) {
  if (count > capacity) return 0;
  for (std::size_t i = 0; i < count; ++i) out[i] = text[i] < 0x80 ? static_cast<char>(text[i]) : '?';
  return count;
}

}  // namespace qz::text
