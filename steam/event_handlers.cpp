// The handlers of the platform events other than the statistics ones. They
// run inside SteamAPI_RunCallbacks, on the thread that pumps.
#include "steam/session.h"

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

// Any ticket response counts; the latest one decides between the ticket and
// a failure code, so a failure the platform has since taken back is not
// answered for ever. ticketReceived is set last, so a wait on another thread
// that sees it also sees the result.
void QZ_Steam::OnGetAuthSessionTicketResponse(GetAuthSessionTicketResponse_t* event) {
  if (event != nullptr) {
    if (event->m_eResult == k_EResultOK) {
      ticketFailed = false;
      ticketResult = k_EResultOK;
    } else {
      ticketFailed = true;
      ticketResult = event->m_eResult;
    }
  }
  ticketReceived.store(true, std::memory_order_release);
}

void QZ_Steam::OnUserAchievementStored(UserAchievementStored_t*) {}
