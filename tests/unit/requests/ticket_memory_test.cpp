// Without memory for the session object the ticket export still answers, from
// a text of its own, and a later call tries again.
#include <gtest/gtest.h>

#include <cstddef>
#include <new>
#include <string>

#include "sim/platform_sim.h"
#include "steam/request_exports.h"
#include "steam/session.h"

namespace {
bool g_refuseNothrowNew = false;
}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (g_refuseNothrowNew) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

TEST(TicketWithoutMemory, AnswersMinusOneAndTriesAgainLater) {
  qz::sim::PlatformSim::Instance().Install();
  g_refuseNothrowNew = true;
  EXPECT_STREQ(QZSteam_GetAuthTicket(0), "-1");
  EXPECT_EQ(qz::steam::SessionObject(), nullptr);
  EXPECT_TRUE(qz::sim::PlatformSim::Instance().Calls().empty()) << "no platform call without a session";

  g_refuseNothrowNew = false;
  EXPECT_STREQ(QZSteam_GetAuthTicket(1), "0102030405060708");
  EXPECT_NE(qz::steam::SessionObject(), nullptr);
}
