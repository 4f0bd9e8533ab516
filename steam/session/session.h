#pragma once
// QZ_Steam, the one session object of the process: the platform session, the
// statistics registry and cycle, the ticket state, the game's functions and the
// six platform callback members. Created on first use by QZSteam_Init or
// QZSteam_GetAuthTicket and never destroyed.
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "platform/export.h"
#include "steam/binding/steam_callback.h"
#include "steam/binding/steam_types.h"
#include "steam/session/achievement_table.h"

class ISteamUser;
class ISteamUserStats;

// The game's function for micro-transaction results: order id, authorised (0 or 1).
typedef void(QZ_CDECL* MicroTxnCallback)(uint64_t orderId, int32_t authorized);
typedef void(QZ_CDECL* OverlayCallback)();

// One statistic's values in the registry; its name and type are those of its
// row of kStatDefinitions.
struct Stat {
  int32_t intValue;
  // Kept in double precision: a game adds small per-frame amounts (distances)
  // to large totals, and in float arithmetic an amount below half a step of
  // the total is lost (at 2^25 a float steps by 4). The platform's float is
  // loaded into it and it is written back rounded to float.
  double floatValue;
};

class QZ_Steam {
 public:
  // Two hex digits for each of the up to 2048 bytes the platform may write.
  static constexpr std::size_t kTicketTextSize = 2 * 2048 + 1;

  // Gives every field its starting value and binds the six callback members
  // to their handlers; they are registered with the platform library once it
  // is bound (Initialize).
  QZ_Steam();
  QZ_Steam(const QZ_Steam&) = delete;
  QZ_Steam& operator=(const QZ_Steam&) = delete;

  // Binds steam_api.dll (registering the callback members the first time)
  // and starts it; with a logged-on user, reads the user and game ids and
  // keeps the user and stats interfaces. True when the platform library is
  // running. Every other outcome writes a debugger line that says why.
  bool Initialize();

  // The registry's record of the statistic named exactly `name`, or null.
  Stat* FindStatByName(const char* name);

  // Statistics cycle (stats_cycle.cpp). The row arguments are indexes into
  // qz::steam::achievementTable.
  void RunStatsFrame();
  void EvaluateAchievement(std::size_t row);
  void UnlockAchievement(std::size_t row);
  void StoreStatsIfPending();
  void OnUserStatsReceived(UserStatsReceived_t* event);
  void OnUserStatsStored(UserStatsStored_t* event);

  // Other platform events (event_handlers.cpp).
  void OnGameOverlayActivated(GameOverlayActivated_t* event);
  void OnMicroTxnAuthorizationResponse(MicroTxnAuthorizationResponse_t* event);
  void OnGetAuthSessionTicketResponse(GetAuthSessionTicketResponse_t* event);
  // Around the ticket request (auth_ticket.cpp): before GetAuthSessionTicket,
  // and with the handle it answered.
  void BeginTicketRequest();
  void NoteTicketRequested(HAuthTicket ticket);
  void OnUserAchievementStored(UserAchievementStored_t* event);

  int32_t overlayActive = 0;
  bool initialized = false;
  ISteamUserStats* statsInterface = nullptr;
  ISteamUser* userInterface = nullptr;
  bool statsRequested = false;
  bool statsValid = false;
  bool storePending = false;
  // The registry: the values of the statistics, indexed like
  // qz::steam::kStatDefinitions, from 0 at creation. They keep their values
  // across a shutdown and a new start.
  std::array<Stat, qz::steam::kStatCount> stats{};
  char ticketText[kTicketTextSize] = {};
  CSteamID steamId;
  CGameID gameId;
  OverlayCallback overlayCallback = nullptr;
  MicroTxnCallback microTxnCallback = nullptr;
  // Written when a response to the latest ticket is taken (by the handler or
  // by the requester, see latestTicket_), read by a ticket wait that may run
  // on another thread; ticketFailed and ticketResult are written before it.
  std::atomic<bool> ticketReceived{false};
  // Atomic too, so that a later response handled on another thread while a
  // wait reads them is no data race.
  std::atomic<bool> ticketFailed{false};
  std::atomic<int32_t> ticketResult{k_EResultOK};

  CCallback<QZ_Steam, GameOverlayActivated_t, false> overlayActivatedCallback;
  CCallback<QZ_Steam, MicroTxnAuthorizationResponse_t, false> microTxnResponseCallback;
  CCallback<QZ_Steam, GetAuthSessionTicketResponse_t, false> ticketResponseCallback;
  CCallback<QZ_Steam, UserStatsReceived_t, false> statsReceivedCallback;
  CCallback<QZ_Steam, UserStatsStored_t, false> statsStoredCallback;
  CCallback<QZ_Steam, UserAchievementStored_t, false> achievementStoredCallback;

 private:
  // The stats interface while the platform session that gave it is running;
  // null after QZSteam_Shutdown until the next successful start.
  ISteamUserStats* LiveStats() const { return initialized ? statsInterface : nullptr; }
  void RegisterCallbacksOnce();
  void LoadStatValues(ISteamUserStats& platform);
  void TakeReceivedStats(ISteamUserStats& platform);
  void RunVersionStep(ISteamUserStats& platform);
  void DecideTicket(EResult result);

  // Only a response to the latest ticket requested counts. Its handle is known
  // only once GetAuthSessionTicket has answered, and a QZSteam_RunCallbacks on
  // another thread (while QZSteam_GetAuthTicket(0) waits) may deliver the
  // response before the handle is stored here. So the handler records every
  // response in lastTicketResponse_ (handle in the high half, result in the
  // low half; cleared before each request) and then compares its handle with
  // latestTicket_, while the requester stores latestTicket_ and then compares
  // lastTicketResponse_. Both are sequentially consistent, so at least one of
  // the two sees the other's write and decides; deciding twice on the same
  // response writes the same values. 0 is the platform's invalid handle and
  // matches nothing.
  std::atomic<HAuthTicket> latestTicket_{0};
  bool callbacksRegistered_ = false;
  std::atomic<uint64_t> lastTicketResponse_{0};
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
