// QZSteam.dll in a folder where steam_api.dll is missing, or is a release the
// library cannot bind (1.37-1.47, no interface accessors): the start answers
// 0, the DLL is not kept loaded, and every later call is harmless.
#include <gtest/gtest.h>

#include <cstring>

#include "export_call.h"

namespace {

void __cdecl IgnoreMicroTxn(uint64_t, int32_t) {}

TEST(NoPlatform, InitAnswersZeroAndLaterCallsAnswerAsWithoutAPlatform) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  EXPECT_EQ(CallExport("QZSteam_Init").low(), 0u);
  EXPECT_EQ(GetModuleHandleW(L"steam_api.dll"), nullptr);
  EXPECT_EQ(CallExport("QZSteam_Init").low(), 0u) << "tried again, fails again";

  CallExport("QZSteam_RunCallbacks");
  CallExport("QZSteam_UpdateServer");
  CallExport("QZSteam_IncreaseStatValue", {3, Arg("KILL_ENEMY")});
  CallExport("QZSteam_SetStatValueFloat", {FloatArg(2.0f), Arg("RUN")});
  EXPECT_EQ(CallExport("QZSteam_IsOverlayActive").low(), 0u);
  EXPECT_EQ(CallExport("QZSteam_BLoggedOn").low(), 0u);
  EXPECT_EQ(CallExport("QZSteam_GetAccID").low(), 0u);
  char id[64];
  std::memset(id, 'x', sizeof id);
  EXPECT_EQ(CallExport("QZSteam_GetAccID64AsChar", {Arg(id)}).low(), 1u);
  EXPECT_STREQ(id, "0");
  EXPECT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&IgnoreMicroTxn))}).low(),
            static_cast<uint32_t>(-2));
  const char* ticket = reinterpret_cast<const char*>(CallExport("QZSteam_GetAuthTicket", {1}).low());
  ASSERT_NE(ticket, nullptr);
  EXPECT_STREQ(ticket, "-1");
  CallExport("QZSteam_Shutdown");
  CallExport("QZSteam_Shutdown");
  EXPECT_EQ(GetModuleHandleW(L"steam_api.dll"), nullptr);
}

}  // namespace
