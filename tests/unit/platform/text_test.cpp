// The library's text conversions, each with the inputs that could trip it: the
// extremes of a decimal, every hex digit, both placeholders of the trust line
// (and a path that is null), and the code units a byte-for-unit conversion
// must not pass through unchanged.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/text.h"

namespace qz::text {
namespace {

TEST(Text, EveryConversionAtItsEdges) {
  const std::pair<int32_t, std::string> decimals[] = {
      {0, "0"}, {-1, "-1"}, {1236992, "1236992"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& [value, expected] : decimals) {
    char out[kDecimalSize];
    EXPECT_EQ(std::string(out, WriteDecimal(value, out)), expected);
  }

  const unsigned char bytes[] = {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF, 0x00, 0xFF};
  char hex[2 * sizeof bytes + 1];
  EXPECT_STREQ(EncodeHexUpper(bytes, sizeof bytes, hex), "0123456789ABCDEF00FF");
  EXPECT_STREQ(EncodeHexUpper(bytes, 0, hex), "");

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
