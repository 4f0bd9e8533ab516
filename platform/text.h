#pragma once
// The library's own text conversions, portable and free of the platform: the
// number writers (every whole number the library writes goes through them),
// the ticket's hex text, the signature check's line, and the two
// byte-for-unit conversions of the native seam and the debugger lines. None
// allocates except FormatTrustLine.
#include <cstddef>
#include <cstdint>
#include <string>

namespace qz::text {

// Room for the longest text of each kind of number writer:
// "-9223372036854775808" and "ffffffffffffffff".
inline constexpr std::size_t kDecimalSize = 20;
inline constexpr std::size_t kHexSize = 16;

// The number writers: the digits of `value`, high digit first, written from
// out[0], unterminated; each answers their count. Decimal with '-' before a
// negative value (the most negative included); hex in lowercase.
std::size_t WriteDecimal(int32_t value, char* out);
std::size_t WriteDecimal(uint32_t value, char* out);
std::size_t WriteDecimal(int64_t value, char* out);
std::size_t WriteDecimal(uint64_t value, char* out);
std::size_t WriteHex(uint64_t value, char* out);

// The uppercase hex text of bytes[0..n), high digit first, terminated, into
// `out` (2n + 1 bytes); answers `out`.
char* EncodeHexUpper(const unsigned char* bytes, std::size_t n, char* out);

// `message` with "%s" replaced by `path` (nothing for a null path) and "%x" by
// `value` in lowercase hex; every other character as it stands.
std::u16string FormatTrustLine(const char16_t* message, const char16_t* path, uint32_t value);

// Each byte becomes the code unit of the same value (Latin-1): min(count,
// capacity) units written, unterminated; answers their count.
std::size_t WidenLatin1(const char* bytes, std::size_t count, char16_t* out, std::size_t capacity);

// Each code unit becomes one byte: itself up to 0x7F, else '?'. Writes all
// `count` bytes, unterminated, and answers `count`; 0 (nothing written) when
// they would not fit `capacity`.
std::size_t NarrowToAscii(const char16_t* text, std::size_t count, char* out, std::size_t capacity);

}  // namespace qz::text
