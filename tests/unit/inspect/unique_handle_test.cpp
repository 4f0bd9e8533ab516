// The one owner of kernel handles: what it closes and what it never closes.
#include <gtest/gtest.h>

#include <utility>

#include "fake_windows.h"
#include "inspect/unique_handle.h"

namespace qz::test {
namespace {

using inspect::UniqueHandle;

TEST(UniqueHandle, ClosesRealHandlesOnceAndNeverTheEmptyValues) {
  FakeWindows fake;
  fake.modules[1] = {false, {}};
  auto snapshot = [&] { return win::Api().createToolhelpSnapshot(15, 1); };
  { UniqueHandle none, null(nullptr), invalid(win::InvalidHandle()); }
  EXPECT_EQ(fake.count("CloseHandle"), 0);

  { UniqueHandle owned(snapshot()); }
  EXPECT_EQ(fake.count("CloseHandle"), 1);

  {
    UniqueHandle first(snapshot());
    UniqueHandle second(std::move(first));
    EXPECT_FALSE(first.valid());
    second = UniqueHandle(snapshot());  // closes the one it held
    EXPECT_EQ(fake.count("CloseHandle"), 2);
  }
  EXPECT_EQ(fake.count("CloseHandle"), 3);

  win::Handle kept = snapshot();
  { UniqueHandle released(kept); EXPECT_EQ(released.release(), kept); }
  EXPECT_EQ(fake.count("CloseHandle"), 3);
  UniqueHandle(kept).reset();
  EXPECT_EQ(fake.openHandles(), 0);
  EXPECT_EQ(fake.unknownCloses, 0);
}

}  // namespace
}  // namespace qz::test
