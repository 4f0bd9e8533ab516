#include "platform/text.h"

namespace qz::text {

std::size_t WriteDecimal(int32_t value, char* out) {
  char digits[kDecimalSize];
  std::size_t n = 0;
  uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
  do {
    digits[n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  std::size_t length = 0;
  if (value < 0) out[length++] = '-';
  while (n > 0) out[length++] = digits[--n];
  return length;
}

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
      char16_t digits[8];
      int n = 0;
      uint32_t rest = value;
      do {
        digits[n++] = u"0123456789abcdef"[rest % 16];
        rest /= 16;
      } while (rest != 0);
      while (n > 0) line += digits[--n];
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
