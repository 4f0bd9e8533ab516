// The one owner of kernel handles: closes a real handle exactly once, never
// null or INVALID_HANDLE_VALUE, and not after giving it up.
#include <gtest/gtest.h>

#include <utility>

#include "fake_windows.h"
#include "inspect/unique_handle.h"

namespace qz::test {
namespace {

TEST(UniqueHandle, ClosesRealHandlesOnceAndNeverTheEmptyValues) {
  using inspect::UniqueHandle;
  FakeWindows fake;
  fake.modules[1] = {false, {}};
  auto snapshot = [] { return win::Api().createToolhelpSnapshot(15, 1); };
  { UniqueHandle null(nullptr), invalid(win::InvalidHandle()); }
  {
    UniqueHandle first(snapshot());
    UniqueHandle second(std::move(first));
    second = UniqueHandle(snapshot());  // closes the one it held
    EXPECT_EQ(fake.count("CloseHandle"), 1);
  }
  win::Handle kept = UniqueHandle(snapshot()).release();
  EXPECT_EQ(fake.count("CloseHandle"), 2);
  UniqueHandle(kept).reset();
  EXPECT_EQ(fake.openHandles(), 0);
  EXPECT_EQ(fake.unknownCloses, 0);
}

}  // namespace
}  // namespace qz::test
