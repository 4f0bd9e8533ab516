// QZSteam.dll in a folder without steam_api.dll: the start answers 0 (and
// tries again), and every export of the Steam part and the engine binding is
// cdecl and answers as without a platform.
#include <gtest/gtest.h>

#include "export_call.h"

namespace {

void __cdecl IgnoreMicroTxn(uint64_t, int32_t) {}

TEST(NoPlatform, EveryExportIsCdeclAndAnswersAsWithoutAPlatform) {
  ASSERT_NE(LoadQZSteam(), nullptr);
  constexpr uint32_t kNone = 0xFFFFFFF0u;  // a void export: no answer to check
  char id[64] = "x";
  const uint32_t stat = Arg("KILL_ENEMY"), url = Arg("https://example.org/"), two = 0x40000000u;  // 2.0f
  // Every call passes two argument words: cdecl leaves them to the caller whatever the export takes.
  const struct {
    const char* name;
    uint32_t first, second, answer;
  } rows[] = {{"QZSteam_Init", 0, 0, 0},
              {"QZSteam_Init", 0, 0, 0},  // tried again, fails again
              {"QZSteam_RunCallbacks", 0, 0, kNone},
              {"QZSteam_UpdateServer", 0, 0, kNone},
              {"QZSteam_SetStatValue", 3, stat, kNone},
              {"QZSteam_IncreaseStatValue", 3, stat, kNone},
              {"QZSteam_SetStatValueFloat", two, stat, kNone},
              {"QZSteam_IncreaseStatValueFloat", two, stat, kNone},
              {"QZSteam_StatsReceived", 0, 0, 0},
              {"QZSteam_GetStatValue", stat, 0, 0},
              {"QZSteam_IsAchieved", Arg("KILL_ENEMY_10"), 0, uint32_t(-1)},
              {"QZSteam_IsOverlayActive", 0, 0, 0},
              {"QZSteam_BLoggedOn", 0, 0, 0},
              {"QZSteam_GetAccID", 0, 0, 0},
              {"QZSteam_GetAccID64AsChar", Arg(id), 0, 1},
              {"QZSteam_SetMicroTxnCallback", Arg(reinterpret_cast<void*>(&IgnoreMicroTxn)), 0, uint32_t(-2)},
              {"QZSteam_OpenOverlay", Arg("friends"), 0, kNone},
              {"QZSteam_OpenURL", url, 0, kNone},
              {"QZSteam_ReqStoreAuthURL", url, 0, 0},
              {"QZSteam_CreateHTTPRequest", 1, url, 0},
              {"QZSteam_Test", 0, 0, 0},
              {"QZSteam_Test2", 0, 0, kNone},
              {"QZSteam_Test_1", 0, 0, kNone},
              {"QZSteam_Test_2", 0, 0, kNone},
              {"QZSteam_Test_3", 0, 0, kNone},
              {"QZSteam_Test_4", 0, 0, kNone},
              {"A6_DLLAPI", 0, 0, 630},
              {"QZSteam_Shutdown", 0, 0, kNone},
              {"QZSteam_Shutdown", 0, 0, kNone}};
  for (const auto& row : rows) {
    const uint32_t answer = CallExport(row.name, {row.first, row.second}).low();
    if (row.answer != kNone) {
      EXPECT_EQ(answer, row.answer) << row.name;
    }
  }
  EXPECT_STREQ(id, "0");
  EXPECT_STREQ(reinterpret_cast<const char*>(CallExport("QZSteam_GetAchievementDisplay", {stat, stat}).low()), "");
  const char* ticket = reinterpret_cast<const char*>(CallExport("QZSteam_GetAuthTicket", {1}).low());
  ASSERT_NE(ticket, nullptr);
  EXPECT_STREQ(ticket, "-1");
}

}  // namespace
