// The one cross-thread use the library allows, against the stand-in
// steam_api.dll: the game's thread asks for tickets with
// QZSteam_GetAuthTicket(0) while another thread pumps QZSteam_RunCallbacks,
// so that the two threads reach the simulated platform at once. Every answer
// must be the ticket, and the process must live through every round.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "QZSteam.h"

namespace {

constexpr int kRounds = 50000;
volatile LONG g_done = 0;

DWORD WINAPI Pump(void*) {
  while (InterlockedCompareExchange(&g_done, 0, 0) == 0) QZSteam_RunCallbacks();
  return 0;
}

}  // namespace

int main() {
  if (QZSteam_Init() != 1) {
    std::printf("FAILED: QZSteam_Init did not answer 1\n");
    return 1;
  }
  HANDLE pump = CreateThread(nullptr, 0, &Pump, nullptr, 0, nullptr);
  int wrong = 0;
  for (int round = 0; round < kRounds; ++round) {
    const char* answer = QZSteam_GetAuthTicket(0);
    if (std::strcmp(answer, "0102030405060708") != 0 && wrong++ == 0)
      std::printf("FAILED: round %d answered %s\n", round, answer);
  }
  InterlockedExchange(&g_done, 1);
  WaitForSingleObject(pump, INFINITE);
  QZSteam_Shutdown();
  std::printf("%d rounds, %d wrong answers\n", kRounds, wrong);
  return wrong == 0 ? 0 : 1;
}
