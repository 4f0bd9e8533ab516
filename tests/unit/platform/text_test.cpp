// The library's text conversions, each with the inputs that could trip it: the
// extremes of each number writer, every hex digit, both placeholders of the
// trust line (and a path that is null), and the code units a byte-for-unit
// conversion must not pass through unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"

namespace qz::text {
namespace {

TEST(Text, EveryConversionAtItsEdges) {
  const auto decimal = [](auto value) {
    char out[kDecimalSize];
    return std::string(out, WriteDecimal(value, out));
  };
  const auto hex = [](uint64_t value) {
    char out[kHexSize];
    return std::string(out, WriteHex(value, out));
  };
  const std::pair<std::string, std::string> numbers[] = {
      {decimal(int32_t{0}), "0"}, {decimal(int32_t{-1}), "-1"}, {decimal(int32_t{1236992}), "1236992"},
      {decimal(INT32_MAX), "2147483647"}, {decimal(INT32_MIN), "-2147483648"},
      {decimal(uint32_t{0}), "0"}, {decimal(UINT32_MAX), "4294967295"},
      {decimal(int64_t{-1}), "-1"}, {decimal(int64_t{76561197960287930}), "76561197960287930"},
      {decimal(INT64_MAX), "9223372036854775807"}, {decimal(INT64_MIN), "-9223372036854775808"},
      {decimal(uint64_t{4294967296}), "4294967296"}, {decimal(UINT64_MAX), "18446744073709551615"},
      {hex(0), "0"}, {hex(0x800B0100), "800b0100"}, {hex(0x0123456789ABCDEF), "123456789abcdef"},
      {hex(UINT64_MAX), "ffffffffffffffff"}};
  for (const auto& [written, expected] : numbers) EXPECT_EQ(written, expected);

  const unsigned char bytes[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x00, 0xFF};
  char upper[2 * sizeof bytes + 1];
  EXPECT_STREQ(EncodeHexUpper(bytes, sizeof bytes, upper), "0123456789ABCDEF00FF");
  EXPECT_STREQ(EncodeHexUpper(bytes, 0, upper), "");

  EXPECT_EQ(FormatTrustLine(u"\"%s\" %x, 0x%x; 100%", u"C:\\\u0418", 0x800B0100),
            u"\"C:\\\u0418\" 800b0100, 0x800b0100; 100%");
  EXPECT_EQ(FormatTrustLine(u"[%s] %x", nullptr, 0), u"[] 0");

  char narrow[3] = {'x', 'x', 'x'};
  EXPECT_EQ(NarrowToAscii(u"a\u00E9\u904A", 3, narrow, 3), 3u);
  EXPECT_EQ(std::string(narrow, 3), "a??");
  EXPECT_EQ(NarrowToAscii(u"abcd", 4, narrow, 3), 0u);
  char16_t wide[2] = {};
  EXPECT_EQ(WidenLatin1("a\xE9z", 3, wide, 2), 2u);
  EXPECT_EQ(std::u16string(wide, 2), u"a\u00E9");
}

}  // namespace
}  // namespace qz::text
