// When memory runs out, the session object cannot be made. No exception
// leaves an export and nothing crashes.
#include <new>

#include "tests/unit/steam/session/session_test_support.h"

namespace {

// Counts the nothrow allocations and fails the one with this index (from 1).
int g_nothrowAllocations = 0;
int g_failNothrowAllocation = 0;

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  return ++g_nothrowAllocations == g_failNothrowAllocation ? nullptr : ::operator new(size);
}

namespace qz::test {
namespace {

using SessionMemory = SessionTest;

// Without memory for the object QZSteam_Init answers 0 and the ticket export
// "-1", from a text of its own, calling nothing; the next call makes the
// object and starts it, once.
TEST_F(SessionMemory, WithoutTheObjectInitAnswersZeroTheTicketMinusOneAndTheNextCallsTryAgain) {
  g_failNothrowAllocation = 1;
  EXPECT_EQ(QZSteam_Init(), 0);
  g_failNothrowAllocation = 2;
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "-1");
  EXPECT_TRUE(Platform()->Calls().empty());
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "0102030405060708");
  EXPECT_EQ(QZSteam_Init(), -1);
  EXPECT_EQ(CountCalls("InitFlat("), 1);
}

}  // namespace
}  // namespace qz::test
