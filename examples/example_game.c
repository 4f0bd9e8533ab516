/*
 * example_game.c: a game's whole use of QZSteam.dll, from its start to its
 * exit, in the order that docs/integration.md gives. It needs nothing but
 * include/QZSteam.h and the DLL. README.md in this folder says how to build
 * it and how to run it against the simulator instead of a Steam client.
 */
#include <stdio.h>
#include <string.h>

#include "QZSteam.h"

/* The game's function for micro-transaction results. The library calls it
 * inside QZSteam_RunCallbacks, on the game's thread, once per result. */
static void QZSTEAM_CALL OnMicroTxn(uint64_t orderId, int32_t authorized) {
  printf("order %llu %s\n", (unsigned long long)orderId, authorized ? "authorised: hand out the item" : "declined");
}

/* One frame: the platform's events and one step of the statistics cycle
 * first, then the game's own work. */
static void Frame(void) {
  QZSteam_RunCallbacks();
  if (QZSteam_IsOverlayActive()) {
    /* The Steam overlay is shown: pause the game. */
  }
  /* ... input, game logic, drawing ... */
}

/* Copies a text of the library: the next call of the same kind replaces it. */
static void Keep(char* copy, size_t size, const char* text) {
  strncpy(copy, text, size - 1);
  copy[size - 1] = '\0';
}

int main(void) {
  char playerId[64], ticket[4097], report[1024];
  int frame;

  /* 1. Start the session before the video device exists, so that the Steam
   *    overlay can hook it. 0: no Steam client or no usable steam_api.dll;
   *    the game goes on without Steam (every export then does nothing). */
  const int32_t started = QZSteam_Init();
  printf("QZSteam_Init: %d\n", (int)started);
  if (started == 1) {
    QZSteam_GetAccID64AsChar(playerId);
    printf("player %s (account %lu)\n", playerId, (unsigned long)QZSteam_GetAccID());
    printf("micro-transaction function: %d\n", (int)QZSteam_SetMicroTxnCallback(OnMicroTxn));
  }
  /* ... create the window and the video device ... */

  /* 2. The title screen, until the player's statistics have arrived, a
   *    frame or two after the start: what the game counts before they
   *    arrive is dropped. From then on the library's copy can be read. */
  for (frame = 0; frame < 600 && !QZSteam_StatsReceived(); ++frame) Frame();
  if (QZSteam_StatsReceived())
    printf("statistics received: %d kills so far\n", (int)QZSteam_GetStatValue("KILL_ENEMY"));

  /* 3. A match of ten frames, one kill and 25 metres run in each. The frame
   *    in which the player's kills reach 10 unlocks KILL_ENEMY_10 (see
   *    docs/statistics.md) and stores; the game unlocks nothing itself. */
  for (frame = 0; frame < 10; ++frame) {
    QZSteam_IncreaseStatValue(1, "KILL_ENEMY");
    QZSteam_IncreaseStatValueFloat(25.0f, "RUN");
    Frame();
  }
  /* The match is won: store everything at its end. */
  QZSteam_IncreaseStatValue(1, "WIN_MATCH");
  QZSteam_UpdateServer();
  Frame();
  printf("after the match: %d kills, %.1f metres run, KILL_ENEMY_10 %s\n", (int)QZSteam_GetStatValue("KILL_ENEMY"),
         (double)QZSteam_GetStatValueFloat("RUN"), QZSteam_IsAchieved("KILL_ENEMY_10") == 1 ? "unlocked" : "locked");

  /* 4. A ticket for the game's server, which checks it with Steam. With 1
   *    the wait delivers the platform's events, the ticket's response too. */
  Keep(ticket, sizeof ticket, QZSteam_GetAuthTicket(1));
  printf("ticket: %s\n", ticket);

  /* 5. The player asks for the achievements page of the overlay. */
  QZSteam_OpenOverlay("achievements");
  Frame();

  /* 6. One look at the machine: does the game's own executable carry a
   *    verifying signature? The check prints its own line first. */
  Keep(report, sizeof report, VerifyProcessProfile(0));
  printf("%s\n", report);

  /* 7. Exit: what is still counted is stored before the session ends, even
   *    without another frame. */
  QZSteam_IncreaseStatValue(120, "SHOOT_BULLETS");
  QZSteam_UpdateServer();
  QZSteam_Shutdown();
  return 0;
}
