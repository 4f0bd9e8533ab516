// VerifyProcessProfile: one process's main executable and whether it passes.
#include <gtest/gtest.h>

#include <string>

#include "fake_windows.h"
#include "inspect/inspection_exports.h"

namespace qz::test {
namespace {

TEST(ProcessVerdict, ReportsPathAndVerdict) {
  struct Case {
    bool opens, pathReadable;
    uint32_t status;
    const char* report;
    size_t lines;
  };
  const Case cases[] = {
      {true, true, 0, "{\"Id\": 4242,\"Path\": \"C:\\Games\\demo.exe\",\"Verdict\": \"PASSED\"}", 1},
      {true, true, 0x800B0004, "{\"Id\": 4242,\"Path\": \"C:\\Games\\demo.exe\",\"Verdict\": \"PASSED\"}", 1},
      {true, true, 0x800B0100, "{\"Id\": 4242,\"Path\": \"C:\\Games\\demo.exe\",\"Verdict\": \"FAILED\"}", 1},
      {false, true, 0, "{\"Id\": 4242,\"Path\": \"\",\"Verdict\": \"FAILED\"}", 0},
      {true, false, 0, "{\"Id\": 4242,\"Path\": \"\",\"Verdict\": \"FAILED\"}", 0},
  };
  for (const Case& c : cases) {
    FakeWindows fake;
    fake.processes = {{4242, u"demo.exe", u"C:\\Games\\demo.exe", c.opens, c.pathReadable}};
    fake.trust[u"C:\\Games\\demo.exe"] = {c.status};
    EXPECT_STREQ(VerifyProcessProfile(4242), c.report);
    EXPECT_EQ(fake.calls.front(), "allocate");
    EXPECT_EQ(fake.printed.size(), c.lines);
    EXPECT_TRUE(fake.allClosed());
  }
  FakeWindows none;  // no such process; the id is written as signed decimal
  EXPECT_STREQ(VerifyProcessProfile(0xFFFFFFFF), "{\"Id\": -1,\"Path\": \"\",\"Verdict\": \"FAILED\"}");
  EXPECT_TRUE(none.trustCalls.empty());
}

}  // namespace
}  // namespace qz::test
