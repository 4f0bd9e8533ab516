// The handlers of the platform events other than the statistics ones. They
// run inside SteamAPI_RunCallbacks, on the thread that pumps.
#include "steam/session/session.h"

void QZ_Steam::OnGameOverlayActivated(GameOverlayActivated_t* event) {
  if (event == nullptr) return;
  overlayActive = event->m_bActive;
  if (overlayCallback != nullptr) overlayCallback();
}

// A response that arrives before the game has set its function is dropped.
void QZ_Steam::OnMicroTxnAuthorizationResponse(MicroTxnAuthorizationResponse_t* event) {
  if (microTxnCallback == nullptr || event == nullptr) return;
  microTxnCallback(event->m_ulOrderID, static_cast<int32_t>(event->m_bAuthorized));
}

// The latest response to the latest ticket decides between the ticket and a
// failure code, so a failure the platform has since taken back is not
// answered for ever; a response to any other ticket changes nothing (see
// latestTicket_ for the order of the two sides).
void QZ_Steam::OnGetAuthSessionTicketResponse(GetAuthSessionTicketResponse_t* event) {
  if (event == nullptr) return;
  const HAuthTicket ticket = event->m_hAuthTicket;
  lastTicketResponse_.store(uint64_t{ticket} << 32 | static_cast<uint32_t>(event->m_eResult));
  if (ticket != 0 && ticket == latestTicket_.load()) DecideTicket(event->m_eResult);
}

void QZ_Steam::BeginTicketRequest() { lastTicketResponse_.store(0); }

void QZ_Steam::NoteTicketRequested(HAuthTicket ticket) {
  latestTicket_.store(ticket);
  const uint64_t response = lastTicketResponse_.load();
  if (ticket != 0 && response >> 32 == ticket)
    DecideTicket(static_cast<EResult>(static_cast<int32_t>(static_cast<uint32_t>(response))));
}

// ticketReceived is set last, so a wait on another thread that sees it also
// sees the outcome.
void QZ_Steam::DecideTicket(EResult result) {
  ticketFailed = result != k_EResultOK;
  ticketResult = result;
  ticketReceived.store(true, std::memory_order_release);
}

void QZ_Steam::OnUserAchievementStored(UserAchievementStored_t*) {}
