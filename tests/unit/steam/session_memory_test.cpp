// When memory runs out: the session object cannot be made, or a registry
// record cannot. No exception leaves an export and nothing crashes.
#include <cstddef>
#include <new>
#include <string>
#include <vector>

#include "steam/achievement_table.h"
#include "tests/unit/steam/session_test_support.h"

namespace {

// Counts the nothrow allocations and fails the one with this index (from 1); 0: none.
int g_nothrowAllocations = 0;
int g_failNothrowAllocation = 0;

}  // namespace

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (++g_nothrowAllocations == g_failNothrowAllocation) return nullptr;
  try {
    return ::operator new(size);
  } catch (...) {
    return nullptr;
  }
}

namespace qz::test {
namespace {

using SessionMemory = SessionTest;

TEST_F(SessionMemory, WithoutTheObjectEveryExportAnswersAsBeforeAnyStart) {
  g_failNothrowAllocation = 1;
  EXPECT_EQ(QZSteam_Init(), 0);
  EXPECT_EQ(steam::SessionObject(), nullptr);
  QZSteam_RunCallbacks();
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  QZSteam_SetStatValue(1, "KILL_ENEMY");
  QZSteam_IncreaseStatValueFloat(1.0f, "RUN");
  EXPECT_EQ(QZSteam_IsOverlayActive(), 0);
  EXPECT_EQ(QZSteam_SetMicroTxnCallback(nullptr), -1);
  EXPECT_EQ(Sim().CallNames(), std::vector<std::string>{"SteamAPI_RunCallbacks"});

  EXPECT_EQ(QZSteam_Init(), 1) << "the next call tries again";
  EXPECT_NE(steam::SessionObject(), nullptr);
}

TEST_F(SessionMemory, AStatWhoseRecordCannotBeMadeIsLeftOutAndItsRowsSkipped) {
  Sim().SetStat("ACHIEVE_LEVEL", 60);
  g_nothrowAllocations = 0;
  g_failNothrowAllocation = 2;  // the object, then the first record: "ACHIEVE_LEVEL"
  ASSERT_EQ(QZSteam_Init(), 1);
  EXPECT_EQ(Session().statsByName.size(), 38u);
  EXPECT_EQ(Session().statsByAchievementId.size(), 54u);
  EXPECT_EQ(Session().FindStatByAchievementId(1), nullptr);
  EXPECT_NE(Session().FindStatByAchievementId(6), nullptr);
  Tick(2);
  ASSERT_TRUE(Session().statsValid);
  for (std::size_t row = 0; row < 5; ++row) EXPECT_FALSE(steam::achievementTable[row].achieved);
}

}  // namespace
}  // namespace qz::test
