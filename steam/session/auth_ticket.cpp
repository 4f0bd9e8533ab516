#include "steam/session/auth_ticket.h"

#include <cstdio>

#include "include/QZSteam.h"
#include "platform/export.h"
#include "platform/text.h"
#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"

namespace qz::steam {
namespace {

static_assert(QZ_Steam::kTicketTextSize >= 2 * kTicketCapacity + 1, "room for the whole ticket as hex");

char* Answer(QZ_Steam& session, const char* text) {
  std::snprintf(session.ticketText, sizeof session.ticketText, "%s", text);
  return session.ticketText;
}

}  // namespace

char* GetAuthTicketText(QZ_Steam& session, int32_t pump) {
  if (!session.initialized) return Answer(session, "-1");

  // Each call's own buffer: a call made from inside this call's wait (by the
  // game's function, run by the pump) must not overwrite this ticket.
  unsigned char bytes[kTicketCapacity];
  uint32_t length = 0;
  if (ISteamUser* user = SteamUser()) {
    session.BeginTicketRequest();
    session.NoteTicketRequested(user->GetAuthSessionTicket(bytes, kTicketCapacity, &length));
  }
  if (length == 0) return Answer(session, "-2");
  // A platform that reports more than it may write is answered with what fits.
  if (length > kTicketCapacity) length = kTicketCapacity;

  double elapsedMs = 0.0;
  bool timedOut = false;
  if (!session.ticketReceived.load(std::memory_order_acquire)) {
    do {
      if (elapsedMs > kTicketTimeoutMs) timedOut = true;
      qz::win::Api().sleep(kTicketSleepMs);
      elapsedMs += kTicketSleepMs;
      if (pump != 0) {
        SteamAPI_RunCallbacks();
        // The game's function, run by the pump, may have ended the session:
        // then there is nothing left to wait for or to ask.
        if (!session.initialized) return Answer(session, "-1");
        session.RunStatsFrame();
      }
    } while (!session.ticketReceived.load(std::memory_order_acquire) && !timedOut);
  }
  if (timedOut) return Answer(session, "-3");

  if (session.ticketFailed.load()) {
    session.ticketText[qz::text::WriteDecimal(session.ticketResult.load(), session.ticketText)] = '\0';
    return session.ticketText;
  }
  return qz::text::EncodeHexUpper(bytes, length, session.ticketText);
}

}  // namespace qz::steam

QZ_EXPORT char* QZ_CDECL QZSteam_GetAuthTicket(int32_t pump) {
  bool created = false;
  QZ_Steam* session = qz::steam::SessionObjectOnFirstUse(&created);
  // Without memory for the session object there is no session to ask.
  static char notStarted[] = "-1";
  if (session == nullptr) return notStarted;
  if (created) session->Initialize();
  return qz::steam::GetAuthTicketText(*session, pump);
}
