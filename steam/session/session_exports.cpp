// The exports that start, stop and pump the session and answer account
// questions.
#include "include/QZSteam.h"
#include "platform/text.h"
#include "steam/binding/steam_client.h"
#include "steam/session/session.h"

using qz::steam::SessionObject;
using qz::steam::SessionObjectOnFirstUse;

namespace {

// The account as the platform reports it now; 0 while it has no user
// interface (not started, or shut down).
uint64_t CurrentSteamId() {
  ISteamUser* const user = SteamUser();
  return user != nullptr ? user->GetSteamID().ConvertToUint64() : 0;
}

// The caller's buffer holds 64 characters; the longest id takes 21 with its
// terminator.
static_assert(qz::text::kDecimalSize + 1 <= 64, "an id's text fits the caller's buffer");

}  // namespace

QZ_EXPORT int32_t QZ_CDECL QZSteam_Init() {
  QZ_Steam* const session = SessionObjectOnFirstUse();
  if (session == nullptr) return 0;
  if (session->Started()) return -1;
  return session->Initialize() ? 1 : 0;
}

// The game's exit sequence is QZSteam_UpdateServer then QZSteam_Shutdown.
QZ_EXPORT void QZ_CDECL QZSteam_Shutdown() {
  if (QZ_Steam* const session = SessionObject()) session->Shutdown();
}

QZ_EXPORT void QZ_CDECL QZSteam_RunCallbacks() {
  SteamAPI_RunCallbacks();
  if (QZ_Steam* const session = SessionObject()) session->RunStatsFrame();
}

QZ_EXPORT void QZ_CDECL QZSteam_UpdateServer() {
  if (QZ_Steam* const session = SessionObject()) session->MarkStorePending();
}

QZ_EXPORT int32_t QZ_CDECL QZSteam_IsOverlayActive() {
  const QZ_Steam* const session = SessionObject();
  return session != nullptr ? session->OverlayActive() : 0;
}

QZ_EXPORT int32_t QZ_CDECL QZSteam_BLoggedOn() {
  ISteamUser* const user = SteamUser();
  return user != nullptr && user->BLoggedOn() ? 1 : 0;
}

QZ_EXPORT uint32_t QZ_CDECL QZSteam_GetAccID() { return CSteamID(CurrentSteamId()).GetAccountID(); }

QZ_EXPORT int32_t QZ_CDECL QZSteam_GetAccID64AsChar(char* buffer) {
  if (buffer == nullptr) return 0;
  // Signed, as the game has always read it: ids from 2^63 on are negative.
  const std::size_t length = qz::text::WriteDecimal(static_cast<int64_t>(CurrentSteamId()), buffer);
  buffer[length] = '\0';
  return static_cast<int32_t>(length);
}

QZ_EXPORT int32_t QZ_CDECL QZSteam_SetMicroTxnCallback(MicroTxnCallback callback) {
  QZ_Steam* const session = SessionObject();
  if (session == nullptr) return -1;
  if (!session->Started()) return -2;
  session->SetMicroTxnCallback(callback);
  return 1;
}
