// The per-frame cost of the session, each next to a bare loop over the 59
// thresholds in the same run (counter "x_bare"): an idle QZSteam_RunCallbacks
// with the statistics loaded and nothing to unlock or store, a stat update,
// a tick that stores every statistic, and a game's screen that reads the whole
// table back (every statistic's value, every achievement's state and name).
//
// The simulator brings the session to "statistics received"; for the timed
// part its pump and its stat calls are swapped for functions that do nothing,
// so that what is measured is the library's side (the simulator logs every
// call as text, which would dwarf it).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "include/QZSteam.h"
#include "sim/platform_sim.h"
#include "steam/binding/steam_flat.h"
#include "steam/session/achievement_table.h"
#include "steam/session/session.h"

namespace {

using Clock = std::chrono::steady_clock;

// The bare loop: each achievement's stat value against its threshold, read
// through a pointer as the tick does, and nothing else.
struct BareRow {
  const int32_t* value;
  int32_t threshold;
};
int32_t g_values[qz::steam::kStatCount] = {};
BareRow g_bare[qz::steam::kAchievementCount];

int BareLoop() {
  BareRow* rows = g_bare;
  benchmark::DoNotOptimize(rows);
  int reached = 0;
  for (std::size_t row = 0; row < qz::steam::kAchievementCount; ++row)
    reached += *rows[row].value >= rows[row].threshold ? 1 : 0;
  return reached;
}

double NanosecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count();
}

// The bare loop's time per pass, the best of 20 rounds of 200000 passes.
double BareLoopNanoseconds() {
  static const double nanoseconds = [] {
    for (std::size_t row = 0; row < qz::steam::kAchievementCount; ++row)
      g_bare[row] = {&g_values[row % qz::steam::kStatCount], qz::steam::kAchievementRows[row].threshold.minInt};
    double best = 1e9;
    for (int round = 0; round < 20; ++round) {
      const Clock::time_point start = Clock::now();
      for (int i = 0; i < 200000; ++i) benchmark::DoNotOptimize(BareLoop());
      best = std::min(best, NanosecondsSince(start) / 200000);
    }
    return best;
  }();
  return nanoseconds;
}

// A session with the statistics received, nothing reached and nothing due,
// on a platform that from now on answers instantly.
void StartQuietSession() {
  static const bool started = [] {
    qz::sim::Install();
    qz::sim::Platform()->SetStat("VERSION", 1);
    if (QZSteam_Init() != 1) std::abort();
    for (int tick = 0; tick < 3; ++tick) QZSteam_RunCallbacks();  // request, reception, any store's outcome
    if (!qz::steam::SessionObject()->StatsReceived() || qz::steam::SessionObject()->StorePending()) std::abort();
    qz::sim::Platform()->ClearCalls();
    qz::steam::SteamFlatApi& table = qz::steam::SteamFlat();
    table.RunCallbacks = [] {};
    table.UserStats_SetStatInt32 = [](ISteamUserStats*, const char*, int32_t) { return true; };
    table.UserStats_SetStatFloat = [](ISteamUserStats*, const char*, float) { return true; };
    table.UserStats_StoreStats = [](ISteamUserStats*) { return true; };
    return true;
  }();
  benchmark::DoNotOptimize(started);
}

// One call per iteration; "x_bare" is the time of one call over the time of
// one pass of the bare loop.
template <class Body>
void Measure(benchmark::State& state, Body body) {
  const double bareNanoseconds = BareLoopNanoseconds();
  const Clock::time_point start = Clock::now();
  for (auto _ : state) body();
  state.counters["x_bare"] = NanosecondsSince(start) / static_cast<double>(state.iterations()) / bareNanoseconds;
}

void BM_BareThresholdLoop(benchmark::State& state) {
  Measure(state, [] { benchmark::DoNotOptimize(BareLoop()); });
}
BENCHMARK(BM_BareThresholdLoop);

void BM_IdleTick(benchmark::State& state) {
  StartQuietSession();
  Measure(state, [] { QZSteam_RunCallbacks(); });
}
BENCHMARK(BM_IdleTick);

void BM_StatUpdate(benchmark::State& state) {
  StartQuietSession();
  // "KILL_ENEMY" sits in the middle of the 39 names; the value wraps harmlessly.
  Measure(state, [] { QZSteam_IncreaseStatValue(1, "KILL_ENEMY"); });
}
BENCHMARK(BM_StatUpdate);

void BM_StoreTick(benchmark::State& state) {
  StartQuietSession();
  Measure(state, [] {
    QZSteam_UpdateServer();
    QZSteam_RunCallbacks();
  });
}
BENCHMARK(BM_StoreTick);

// Every name looked up as the game passes it: the statistics through the
// read-back export of their type, the achievements' states and display names.
void BM_ReadBackTheWholeTable(benchmark::State& state) {
  StartQuietSession();
  Measure(state, [] {
    int32_t sum = 0;
    for (const qz::steam::StatDefinition& stat : qz::steam::kStatDefinitions)
      sum += stat.type == StatType::Int ? QZSteam_GetStatValue(stat.name)
                                        : static_cast<int32_t>(QZSteam_GetStatValueFloat(stat.name));
    for (const qz::steam::AchievementRow& row : qz::steam::kAchievementRows)
      sum += QZSteam_IsAchieved(row.apiName) + QZSteam_GetAchievementDisplay(row.apiName, "name")[0];
    benchmark::DoNotOptimize(sum);
  });
}
BENCHMARK(BM_ReadBackTheWholeTable);

}  // namespace
