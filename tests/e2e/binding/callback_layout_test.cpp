// The session's six callback objects as steam_api.dll sees them: registered
// under their ids at the first QZSteam_Init, answering their event sizes
// through vtable slot 2 and receiving events through slot 1, all reached the
// MSVC way (raw offsets, __thiscall through the vtable) by the stand-in.
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
  struct Expected {
    int32_t id, size;
  };
  const Expected expected[] = {{331, 1}, {152, 24}, {163, 8}, {1101, 24}, {1102, 16}, {1103, 152}};
  std::vector<QZSimRegistration> seen = standIn.Registrations();
  ASSERT_EQ(seen.size(), 6u);
  for (std::size_t i = 0; i < seen.size(); ++i) {
    EXPECT_EQ(seen[i].callbackIdArgument, expected[i].id) << "registration " << i;
    EXPECT_EQ(seen[i].sizeBytes, expected[i].size) << "slot 2 of registration " << i;
    EXPECT_EQ(seen[i].flags, 1) << "registered flag at offset 4, registration " << i;
    EXPECT_EQ(seen[i].callbackIdField, expected[i].id) << "id at offset 8, registration " << i;
  }

  ASSERT_EQ(CallExport("QZSteam_Init").low(), static_cast<uint32_t>(-1));
  CallExport("QZSteam_Shutdown");
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  EXPECT_EQ(standIn.Registrations().size(), 6u) << "registered once per process";
}

TEST_F(CallbackLayout, OverlayEventsArriveThroughSlotOne) {
  for (uint8_t active : {1, 0, 1}) {
    GameOverlayActivated_t event{active};
    standIn.QueueEvent(GameOverlayActivated_t::k_iCallback, &event, sizeof event);
    CallExport("QZSteam_RunCallbacks");
    EXPECT_EQ(CallExport("QZSteam_IsOverlayActive").low(), active);
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
