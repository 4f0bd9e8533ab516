#pragma once
// QZ_Steam, the one session object of the process: the platform session and
// its lifecycle, the statistics and achievements the session holds and their
// cycle, the ticket exchange, the game's functions and the six platform
// callback members. Created on first use by QZSteam_Init or
// QZSteam_GetAuthTicket and never destroyed.
#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "steam/binding/steam_callback.h"
#include "steam/binding/steam_types.h"
#include "steam/session/achievement_table.h"
#include "steam/session/auth_ticket.h"

class ISteamUser;
class ISteamUserStats;

// The game's function for micro-transaction results: order id, authorised (0 or 1).
typedef void(QZ_CDECL* MicroTxnCallback)(uint64_t orderId, int32_t authorized);
typedef void(QZ_CDECL* OverlayCallback)();

// One statistic's values; its name and type are those of its row of
// kStatDefinitions.
struct Stat {
  int32_t intValue;
  // Kept in double precision: a game adds small per-frame amounts (distances)
  // to large totals, and in float arithmetic an amount below half a step of
  // the total is lost (at 2^25 a float steps by 4). The platform's float is
  // loaded into it and it is written back rounded to float.
  double floatValue;
};

// One achievement as the platform last told it and as the session unlocked
// it; its id and key are those of its row of kAchievementRows.
struct AchievementState {
  bool achieved;
  char name[128];  // display texts, as the platform gives them
  char desc[256];
};

class QZ_Steam {
 public:
  // Binds the six callback members to their handlers; they are registered
  // with the platform library once it is bound (Initialize).
  QZ_Steam();
  QZ_Steam(const QZ_Steam&) = delete;
  QZ_Steam& operator=(const QZ_Steam&) = delete;

  // --- Lifecycle (session.cpp) ---
  // Binds steam_api.dll (the first time registering the callback members and
  // keeping this library in memory for the process's life) and starts it. A
  // running start first resets everything that belongs to one start; with a
  // logged-on user it then reads the user and game ids and keeps the user
  // and stats interfaces, and a user other than the one whose statistics are
  // held drops them. True when the platform library is running. Every other
  // outcome writes a debugger line that says why, and changes nothing.
  bool Initialize();
  // The game's exit: the store that is due (no tick will come to make it),
  // the end of the user's auth session, the end of the platform library.
  // Nothing when the session is not started.
  void Shutdown();
  bool Started() const { return started_; }
  // This start's game (0 without a logged-on user).
  CGameID GameId() const { return gameId_; }

  // --- The statistics and achievements held (stats_cycle.cpp) ---
  // This start's statistics have arrived.
  bool StatsReceived() const { return statsReceived_; }
  // The values and rows are this start's player's, received in this start
  // or, for the same player, in an earlier one: the game's updates count, and
  // a running session unlocks and stores them.
  bool HoldsPlayersStats() const;
  // Indexed like kStatDefinitions and kAchievementRows.
  const Stat& StatAt(std::size_t stat) const { return stats_[stat]; }
  const AchievementState& AchievementAt(std::size_t row) const { return achievements_[row]; }
  // The record of the statistic named exactly `name` while updates count; null otherwise.
  Stat* UpdatableStat(const char* name);
  bool StorePending() const { return storePending_; }
  void MarkStorePending() { storePending_ = true; }
  // One tick: asks for the statistics once per start, then unlocks what they
  // have earned and stores when a store is due.
  void RunStatsFrame();

  // --- The game's functions and the other events (event_handlers.cpp) ---
  int32_t OverlayActive() const { return overlayActive_; }
  void SetMicroTxnCallback(MicroTxnCallback callback) { microTxnCallback_ = callback; }
  qz::steam::AuthTicket& Ticket() { return ticket_; }

 private:
  void RegisterCallbacksOnce();
  void ResetForStart();
  void DropHeldStats();

  // The statistics cycle. `row` indexes kAchievementRows.
  void EvaluateAchievement(ISteamUserStats& platform, std::size_t row);
  void StoreStatsIfPending();
  void LoadStatValues(ISteamUserStats& platform);
  void TakeReceivedStats(ISteamUserStats& platform);
  void RunVersionStep(ISteamUserStats& platform);

  void OnUserStatsReceived(UserStatsReceived_t* event);
  void OnUserStatsStored(UserStatsStored_t* event);
  void OnGameOverlayActivated(GameOverlayActivated_t* event);
  void OnMicroTxnAuthorizationResponse(MicroTxnAuthorizationResponse_t* event);
  void OnGetAuthSessionTicketResponse(GetAuthSessionTicketResponse_t* event);
  void OnUserAchievementStored(UserAchievementStored_t* event);

  // For one start, reset by ResetForStart. The interfaces are null without a
  // logged-on user and after the shutdown, so every statistics call of the
  // platform is made only while the session that gave them runs.
  bool started_ = false;
  ISteamUserStats* statsInterface_ = nullptr;
  ISteamUser* userInterface_ = nullptr;
  CSteamID steamId_;
  CGameID gameId_;
  bool statsRequested_ = false;
  bool statsReceived_ = false;
  qz::steam::AuthTicket ticket_;

  // What the session holds for heldPlayer_ (0: nobody), from 0 at creation.
  // They outlive a shutdown, so that what the game counts until it starts
  // again as the same player reaches that player's account; a start as
  // another player drops them.
  CSteamID heldPlayer_;
  std::array<Stat, qz::steam::kStatCount> stats_{};
  std::array<AchievementState, qz::steam::kAchievementCount> achievements_{};
  bool storePending_ = false;

  int32_t overlayActive_ = 0;
  OverlayCallback overlayCallback_ = nullptr;  // nothing sets it
  MicroTxnCallback microTxnCallback_ = nullptr;
  bool callbacksRegistered_ = false;

  CCallback<QZ_Steam, GameOverlayActivated_t, false> overlayActivatedCallback_;
  CCallback<QZ_Steam, MicroTxnAuthorizationResponse_t, false> microTxnResponseCallback_;
  CCallback<QZ_Steam, GetAuthSessionTicketResponse_t, false> ticketResponseCallback_;
  CCallback<QZ_Steam, UserStatsReceived_t, false> statsReceivedCallback_;
  CCallback<QZ_Steam, UserStatsStored_t, false> statsStoredCallback_;
  CCallback<QZ_Steam, UserAchievementStored_t, false> achievementStoredCallback_;
};

namespace qz::steam {

// The session object, or null before the first QZSteam_Init or
// QZSteam_GetAuthTicket (or when it could not be allocated).
QZ_Steam* SessionObject();
// The session object, allocated and constructed when there is none yet;
// `created` (if given) tells whether this call made it. Null when memory for
// it cannot be obtained.
QZ_Steam* SessionObjectOnFirstUse(bool* created = nullptr);

}  // namespace qz::steam
