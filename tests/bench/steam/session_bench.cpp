// The per-frame cost of the session, each next to a bare loop over the 59
// thresholds in the same run (counter "x_bare"): an idle QZSteam_RunCallbacks
// with the statistics loaded and nothing to unlock or store, a stat update,
// and a tick that stores every statistic.
//
// The simulator brings the session to "statistics received"; for the timed
// part its pump and its stat calls are swapped for functions that do nothing,
// so that what is measured is the library's side (the simulator logs every
// call as text, which would dwarf it).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "sim/platform_sim.h"
#include "steam/achievement_table.h"
#include "steam/session.h"
#include "steam/steam_exports.h"
#include "steam/steam_flat.h"

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

void FillBareRows() {
  for (std::size_t row = 0; row < qz::steam::kAchievementCount; ++row)
    g_bare[row] = {&g_values[row % qz::steam::kStatCount], qz::steam::kAchievementThresholds[row].minInt};
}

int BareLoop() {
  BareRow* rows = g_bare;
  benchmark::DoNotOptimize(rows);
  int reached = 0;
  for (std::size_t row = 0; row < qz::steam::kAchievementCount; ++row)
    reached += *rows[row].value >= rows[row].threshold ? 1 : 0;
  return reached;
}

template <class Body>
double NanosecondsPerCall(Body body, int calls) {
  const Clock::time_point start = Clock::now();
  for (int i = 0; i < calls; ++i) body();
  return std::chrono::duration<double, std::nano>(Clock::now() - start).count() / calls;
}

// The bare loop's time per pass, the best of a few measurements.
double BareLoopNanoseconds() {
  static const double nanoseconds = [] {
    FillBareRows();
    double best = 1e9;
    for (int round = 0; round < 20; ++round)
      best = std::min(best, NanosecondsPerCall([] { benchmark::DoNotOptimize(BareLoop()); }, 200000));
    return best;
  }();
  return nanoseconds;
}

// A session with the statistics received, nothing reached and nothing due,
// on a platform that from now on answers instantly.
void StartQuietSession() {
  static bool started = false;
  if (started) return;
  started = true;
  qz::sim::PlatformSim& sim = qz::sim::PlatformSim::Instance();
  sim.Install();
  sim.SetStat("VERSION", 1);
  if (QZSteam_Init() != 1) std::abort();
  QZSteam_RunCallbacks();
  QZSteam_RunCallbacks();
  QZSteam_RunCallbacks();  // the outcome of any store made so far
  if (!qz::steam::SessionObject()->statsValid || qz::steam::SessionObject()->storePending) std::abort();
  sim.ClearCalls();
  qz::steam::SteamFlatApi& table = qz::steam::SteamFlat();
  table.RunCallbacks = [] {};
  table.Stats_SetStatInt32 = [](ISteamUserStats*, const char*, int32_t) { return true; };
  table.Stats_SetStatFloat = [](ISteamUserStats*, const char*, float) { return true; };
  table.Stats_StoreStats = [](ISteamUserStats*) { return true; };
}

// One call per iteration; "x_bare" is the time of one call over the time of
// one pass of the bare loop.
template <class Body>
void Measure(benchmark::State& state, Body body) {
  const double bareNanoseconds = BareLoopNanoseconds();
  const Clock::time_point start = Clock::now();
  for (auto _ : state) body();
  const double nanoseconds = std::chrono::duration<double, std::nano>(Clock::now() - start).count();
  state.counters["x_bare"] = nanoseconds / static_cast<double>(state.iterations()) / bareNanoseconds;
}

void BM_BareThresholdLoop(benchmark::State& state) {
  BareLoopNanoseconds();
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

}  // namespace
