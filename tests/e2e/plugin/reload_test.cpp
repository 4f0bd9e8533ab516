// QZSteam.dll unloaded by its host and loaded again while steam_api.dll stays
// loaded: the library is the same module, its callback objects stay valid and
// registered once, and each event reaches the game once. Also with the old
// address range taken after the unload, so that a fresh load would have to
// land elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include "binding/export_call.h"
#include "sim/stand_in_client.h"

namespace {

int g_orders = 0;
void __cdecl CountOrder(uint64_t orderId, int32_t authorized) { g_orders += orderId == 9001 && authorized == 1; }

// A start that hands the game's function over, as a game's first frame does.
void Start() {
  ASSERT_EQ(CallExport("QZSteam_Init").low(), 1u);
  ASSERT_EQ(CallExport("QZSteam_SetMicroTxnCallback", {Arg(reinterpret_cast<void*>(&CountOrder))}).low(), 1u);
}

class Reload : public ::testing::TestWithParam<bool> {};

TEST_P(Reload, LoadsTheSameModuleAndEveryEventReachesTheGameOnce) {
  HMODULE const first = LoadQZSteam();
  Start();
  CallExport("QZSteam_Shutdown");
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(first);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const char*>(first) + dos->e_lfanew);
  const SIZE_T imageSize = nt->OptionalHeader.SizeOfImage;
  ASSERT_TRUE(FreeLibrary(first));
  // An unmapped image leaves its range free for this; a mapped one refuses it.
  if (GetParam()) VirtualAlloc(first, imageSize, MEM_RESERVE, PAGE_NOACCESS);

  ASSERT_EQ(LoadQZSteam(), first) << "the library stayed in memory";
  Start();
  const qz::sim::StandInClient platform;
  ASSERT_TRUE(platform.Usable());
  EXPECT_EQ(platform.RegistrationCount(), 6) << "one object per event";
  platform.QueueEvent(GameOverlayActivated_t{1});
  platform.QueueEvent(MicroTxnAuthorizationResponse_t{480, 9001, 1});
  CallExport("QZSteam_RunCallbacks");
  EXPECT_EQ(CallExport("QZSteam_IsOverlayActive").low(), 1u);
  EXPECT_EQ(g_orders, 1);
  CallExport("QZSteam_Shutdown");
}

INSTANTIATE_TEST_SUITE_P(OldRange, Reload, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Reserved" : "Free"; });

}  // namespace
