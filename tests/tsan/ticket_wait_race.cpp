// The one cross-thread use the library supports, under ThreadSanitizer: the
// game's thread waits in QZSteam_GetAuthTicket(0) while another thread calls
// QZSteam_RunCallbacks, which delivers the ticket response. The wait's Sleep
// returns once the pumping thread has finished a further pump, so the answer
// is the ticket whatever the interleaving; the pacing goes through a relaxed
// counter, which orders nothing, so every ordering the answer relies on is
// the library's own. Exits non-zero on a wrong answer (TSan on a race).
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "include/QZSteam.h"
#include "platform/win_seam.h"
#include "sim/platform_sim.h"

namespace {

std::atomic<long> pumps{0};

void SleepUntilNextPump(uint32_t) {
  const long seen = pumps.load(std::memory_order_relaxed);
  while (pumps.load(std::memory_order_relaxed) < seen + 2) std::this_thread::yield();
}

}  // namespace

int main() {
  qz::sim::Install();
  qz::sim::Platform()->SetStat("VERSION", 1);
  qz::win::Api().sleep = &SleepUntilNextPump;
  if (QZSteam_Init() != 1) return 1;

  int failures = 0;
  for (int round = 0; round < 50; ++round) {
    const std::vector<uint8_t> ticket{static_cast<uint8_t>(round), 0xAB, 0x01};
    qz::sim::Platform()->SetTicket(ticket);
    qz::sim::Platform()->SetTicketResponse(k_EResultOK, 1 + round % 3);
    std::atomic<bool> answered{false};
    std::thread pump([&] {
      while (!answered.load()) {
        QZSteam_RunCallbacks();
        pumps.fetch_add(1, std::memory_order_relaxed);
      }
    });
    const std::string answer = QZSteam_GetAuthTicket(0);
    answered = true;
    pump.join();
    char expected[8];
    std::snprintf(expected, sizeof expected, "%02XAB01", round);
    if (answer != expected) {
      std::fprintf(stderr, "round %d: answer %s, expected %s\n", round, answer.c_str(), expected);
      ++failures;
    }
  }
  QZSteam_Shutdown();
  return failures == 0 ? 0 : 1;
}
