// The session's six callback objects as steam_api.dll sees them: registered
// under their ids at the first QZSteam_Init, answering their event sizes
// through vtable slot 2 and receiving events through slot 1, all reached the
// MSVC way (raw offsets, __thiscall through the vtable) by the stand-in. The
// micro-transaction case shows a 64-bit order id reaching the game's cdecl
// function whole as two 32-bit stack words, which the native tests cannot.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "export_call.h"
#include "stand_in.h"
#include "steam/steam_types.h"

namespace {

class CallbackLayout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(LoadQZSteam(), nullptr);
    ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  }
  StandIn standIn;
};

TEST_F(CallbackLayout, SixObjectsRegisteredInOrderWithTheirIdsAndSizes) {
  const struct {
    int32_t id, size;
  } expected[] = {{331, 1}, {152, 24}, {163, 8}, {1101, 24}, {1102, 16}, {1103, 152}};
  std::vector<QZSimRegistration> seen = standIn.Registrations();
  ASSERT_EQ(seen.size(), 6u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].callbackIdArgument, expected[i].id) << "registration " << i;
    EXPECT_EQ(seen[i].sizeBytes, expected[i].size) << "slot 2 of registration " << i;
    EXPECT_EQ(seen[i].flags, 1) << "registered flag at offset 4, registration " << i;
    EXPECT_EQ(seen[i].callbackIdField, expected[i].id) << "id at offset 8, registration " << i;
  }
}

std::vector<std::pair<uint64_t, int32_t>> g_microTxns;
void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { g_microTxns.emplace_back(orderId, authorized); }

TEST_F(CallbackLayout, MicroTransactionResultsReachTheGameInDeliveryOrder) {
  ASSERT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&OnMicroTxn))}).low(), 1u);
  MicroTxnAuthorizationResponse_t first{480, 0x0123456789ABCDEFull, 1};
  MicroTxnAuthorizationResponse_t second{480, 42, 0};
  standIn.QueueEvent(MicroTxnAuthorizationResponse_t::k_iCallback, &first, sizeof first);
  standIn.QueueEvent(MicroTxnAuthorizationResponse_t::k_iCallback, &second, sizeof second);
  CallExport("QZSteam_RunCallbacks");
  EXPECT_EQ(g_microTxns, (std::vector<std::pair<uint64_t, int32_t>>{{0x0123456789ABCDEFull, 1}, {42, 0}}));
}

}  // namespace
