#include "inspect/report_buffer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "inspect/inspection_exports.h"
#include "inspect/win_seam.h"

namespace {

using namespace qz::report;

// Counts the seam's allocations and releases, and can refuse to allocate.
struct AllocationFake {
  static int allocations;
  static int releases;
  static bool refuse;
  static std::size_t lastSize;

  AllocationFake() {
    allocations = releases = 0;
    refuse = false;
    qz::win::Api().allocate = [](std::size_t bytes) -> void* {
      lastSize = bytes;
      if (refuse) return nullptr;
      ++allocations;
      return std::calloc(1, bytes);
    };
    qz::win::Api().release = [](void* block) {
      ++releases;
      std::free(block);
    };
  }
  ~AllocationFake() { qz::win::Api() = qz::win::DefaultApi(); }
};
int AllocationFake::allocations = 0;
int AllocationFake::releases = 0;
bool AllocationFake::refuse = false;
std::size_t AllocationFake::lastSize = 0;

std::string Report() { return ReportBuffer() ? std::string(ReportBuffer()) : std::string("<null>"); }

bool ZeroFrom(std::size_t from) {
  const char* block = ReportBuffer();
  for (std::size_t i = from; i < kReportCapacity; ++i)
    if (block[i] != 0) return false;
  return true;
}

TEST(ReportBuffer, NothingBeforeTheFirstReport) { EXPECT_EQ(ReportBuffer(), nullptr); }

TEST(ReportBuffer, ResetGivesAFreshZeroFilledBlockAndReleasesThePrevious) {
  AllocationFake fake;
  char* first = ResetReportBuffer();
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(AllocationFake::lastSize, 900000u);
  EXPECT_TRUE(ZeroFrom(0));
  AppendReportText("first report");
  EXPECT_EQ(Report(), "first report");

  ResetReportBuffer();
  EXPECT_EQ(AllocationFake::allocations, 2);
  EXPECT_EQ(AllocationFake::releases, 1);
  EXPECT_EQ(Report(), "");
  EXPECT_EQ(ReportLength(), 0u);
  AppendReportText("second");
  EXPECT_EQ(Report(), "second");
  EXPECT_TRUE(ZeroFrom(6));
}

TEST(ReportBuffer, ValuesAndTextsAppendInOrderWithZerosBehind) {
  ResetReportBuffer();
  AppendReportText(kObjectOpen);
  AppendReportText(kKeyId);
  AppendReportValue(kFormatDecimal, -42);
  AppendReportText(kSeparator);
  AppendReportText(kKeyPath);
  AppendReportQuotedWide(u"C:\\Games\\Demo\\demo.exe");
  AppendReportText(kSeparator);
  AppendReportText(kKeySize);
  AppendReportValue(kFormatDecimal, 2147483647);
  AppendReportText(kObjectClose);
  const std::string expected = "{\"Id\": -42,\"Path\": \"C:\\Games\\Demo\\demo.exe\",\"Size\": 2147483647}";
  EXPECT_EQ(Report(), expected);
  EXPECT_EQ(ReportLength(), expected.size());
  EXPECT_TRUE(ZeroFrom(expected.size()));
}

TEST(ReportBuffer, DecimalValuesMatchTheRuntimesPercentD) {
  const int32_t values[] = {0, 7, -7, 10, -10, 1236992, 2147483647, -2147483647 - 1};
  for (int32_t value : values) {
    ResetReportBuffer();
    AppendReportValue(kFormatDecimal, value);
    char expected[16];
    std::snprintf(expected, sizeof expected, "%d", static_cast<int>(value));
    EXPECT_EQ(Report(), expected);
  }
}

TEST(ReportBuffer, ArraysSeparateElementsWithSingleCommas) {
  struct Case {
    int elements;
    std::string expected;
  } cases[] = {{0, "[]"}, {1, "[{}]"}, {3, "[{},{},{}]"}};
  for (const Case& c : cases) {
    ResetReportBuffer();
    ReportArray array;
    array.Open();
    for (int i = 0; i < c.elements; ++i) {
      array.BeginElement();
      AppendReportText("{}");
    }
    array.Close();
    EXPECT_EQ(Report(), c.expected) << c.elements << " elements";
  }
}

TEST(ReportBuffer, NestedArraysKeepTheirOwnFirstElementFlags) {
  ResetReportBuffer();
  ReportArray outer;
  outer.Open();
  for (int i = 0; i < 2; ++i) {
    outer.BeginElement();
    ReportArray inner;
    inner.Open();
    inner.BeginElement();
    AppendReportValue(kFormatDecimal, i);
    inner.BeginElement();
    AppendReportValue(kFormatDecimal, i);
    inner.Close();
  }
  outer.Close();
  EXPECT_EQ(Report(), "[[0,0],[1,1]]");
}

TEST(ReportBuffer, TextPastTheCapacityStopsAtCapacityMinusOneTerminated) {
  ResetReportBuffer();
  std::string chunk(100000, 'x');
  for (int i = 0; i < 9; ++i) AppendReportText(chunk.c_str());  // 900000 bytes offered
  EXPECT_EQ(ReportLength(), kReportCapacity - 1);
  EXPECT_EQ(ReportBuffer()[kReportCapacity - 2], 'x');
  EXPECT_EQ(ReportBuffer()[kReportCapacity - 1], '\0');
  AppendReportText("more");
  AppendReportValue(kFormatDecimal, 7);
  AppendReportQuotedWide(u"more");
  EXPECT_EQ(ReportLength(), kReportCapacity - 1);
  EXPECT_EQ(std::strlen(ReportBuffer()), kReportCapacity - 1);
}

TEST(ReportBuffer, OneTextLargerThanTheBlockIsCut) {
  ResetReportBuffer();
  AppendReportText("ab");
  std::string huge(kReportCapacity + 10, 'y');
  AppendReportText(huge.c_str());
  EXPECT_EQ(std::strlen(ReportBuffer()), kReportCapacity - 1);
  EXPECT_EQ(std::string(ReportBuffer(), 3), "aby");
}

// The quotes are fixed text around the value. The code page here is UTF-8
// (one to three bytes a code unit), where a path of 260 units can pass the
// 499 bytes of the value scratch: the value is cut after a whole character,
// never inside a surrogate pair, and keeps its closing quote.
TEST(ReportBuffer, WideValuesAreCutInsideTheirQuotes) {
  qz::win::Api().wideToAnsi = [](const char16_t* text, std::size_t count, char* out, std::size_t capacity) {
    std::string bytes;
    for (const char16_t* c = text; c != text + count; ++c) {
      const int tail = *c < 0x80 ? 0 : *c < 0x800 ? 1 : 2;
      const unsigned lead[] = {0x00, 0xC0, 0xE0};
      bytes += static_cast<char>(lead[tail] | *c >> 6 * tail);
      for (int t = tail - 1; t >= 0; --t) bytes += static_cast<char>(0x80 | (*c >> 6 * t & 0x3F));
    }
    return bytes.size() > capacity ? 0 : bytes.copy(out, capacity);
  };
  const std::u16string cjk(165, u'\u904A');  // 495 bytes
  std::string cjkBytes;
  for (int i = 0; i < 165; ++i) cjkBytes += "\xE9\x81\x8A";
  const std::pair<std::u16string, std::string> cases[] = {
      {u"C:\\\u0418\u0433\u0440\u0430", "\"C:\\\xD0\x98\xD0\xB3\xD1\x80\xD0\xB0\","},
      {u"C:\\" + cjk + cjk, "\"C:\\" + cjkBytes + "\","},
      {u"a" + cjk + u"\U0001F600", "\"a" + cjkBytes + "\","},  // the pair's first half would fit
      {u"", "\"\","},
  };
  for (const auto& [value, report] : cases) {
    ResetReportBuffer();
    AppendReportQuotedWide(value.c_str(), value.size());
    AppendReportText(kSeparator);
    EXPECT_EQ(Report(), report);
  }
  qz::win::Api() = qz::win::DefaultApi();
}

// Without memory for the block (a fragmented 32-bit address space) every
// reporting export answers a static text, never null, and nothing is written.
TEST(ReportBuffer, FailedAllocationGivesStaticTextsAndNoWrite) {
  AllocationFake fake;
  ResetReportBuffer();
  AppendReportText("kept until the next reset");

  AllocationFake::refuse = true;
  EXPECT_STREQ(GetModuleProfile(0), "");
  EXPECT_EQ(AllocationFake::releases, 1) << "the previous report is released all the same";
  EXPECT_STREQ(GetExePath(0), "");
  EXPECT_STREQ(QZS_glosdi(), "");
  EXPECT_STREQ(VerifyProcessProfile(0), "");
  EXPECT_STREQ(VerifyEmbeddedSignatureLua("C:\\a.exe", 8), "FAILED");
  EXPECT_EQ(ReportBuffer(), nullptr);
  AppendReportText("dropped");
  AppendReportValue(kFormatDecimal, 1);
  AppendReportWide(u"dropped");
  EXPECT_EQ(ReportLength(), 0u);

  AllocationFake::refuse = false;
  ASSERT_NE(ResetReportBuffer(), nullptr);
  AppendReportText("fresh");
  EXPECT_EQ(Report(), "fresh");
}

}  // namespace
