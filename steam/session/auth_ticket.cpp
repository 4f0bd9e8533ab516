#include "steam/session/auth_ticket.h"

#include <cstdio>

#include "include/QZSteam.h"
#include "platform/export.h"
#include "platform/text.h"
#include "platform/win_seam.h"
#include "steam/binding/steam_client.h"
#include "steam/session/session.h"

namespace qz::steam {

void AuthTicket::Reset() {
  latest_.store(0);
  lastResponse_.store(0);
  failed_.store(false);
  result_.store(k_EResultOK);
  received_.store(false, std::memory_order_release);
}

void AuthTicket::BeginRequest() { lastResponse_.store(0); }

void AuthTicket::NoteRequested(HAuthTicket ticket) {
  latest_.store(ticket);
  const uint64_t response = lastResponse_.load();
  if (ticket != 0 && response >> 32 == ticket)
    Decide(static_cast<EResult>(static_cast<int32_t>(static_cast<uint32_t>(response))));
}

void AuthTicket::OnResponse(HAuthTicket ticket, EResult result) {
  lastResponse_.store(uint64_t{ticket} << 32 | static_cast<uint32_t>(result));
  if (ticket != 0 && ticket == latest_.load()) Decide(result);
}

// The latest response to the latest ticket decides between the ticket and a
// failure code, so a failure the platform has since taken back is not
// answered for ever.
void AuthTicket::Decide(EResult result) {
  failed_ = result != k_EResultOK;
  result_ = result;
  received_.store(true, std::memory_order_release);
}

char* AuthTicket::Answer(const char* text) {
  std::snprintf(text_, sizeof text_, "%s", text);
  return text_;
}

char* GetAuthTicketText(QZ_Steam& session, int32_t pump) {
  AuthTicket& ticket = session.Ticket();
  if (!session.Started()) return ticket.Answer("-1");

  // Each call's own buffer: a call made from inside this call's wait (by the
  // game's function, run by the pump) must not overwrite this ticket.
  unsigned char bytes[kTicketCapacity];
  uint32_t length = 0;
  if (ISteamUser* user = SteamUser()) {
    ticket.BeginRequest();
    ticket.NoteRequested(user->GetAuthSessionTicket(bytes, kTicketCapacity, &length));
  }
  if (length == 0) return ticket.Answer("-2");
  // A platform that reports more than it may write is answered with what fits.
  if (length > kTicketCapacity) length = kTicketCapacity;

  double elapsedMs = 0.0;
  bool timedOut = false;
  if (!ticket.Received()) {
    do {
      if (elapsedMs > kTicketTimeoutMs) timedOut = true;
      qz::win::Api().sleep(kTicketSleepMs);
      elapsedMs += kTicketSleepMs;
      if (pump != 0) {
        SteamAPI_RunCallbacks();
        // The game's function, run by the pump, may have ended the session:
        // then there is nothing left to wait for or to ask.
        if (!session.Started()) return ticket.Answer("-1");
        session.RunStatsFrame();
      }
    } while (!ticket.Received() && !timedOut);
  }
  if (timedOut) return ticket.Answer("-3");

  char* const text = ticket.Text();
  if (ticket.Failed()) {
    text[qz::text::WriteDecimal(ticket.Result(), text)] = '\0';
    return text;
  }
  return qz::text::EncodeHexUpper(bytes, length, text);
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
