// The handlers of the platform events other than the statistics ones. They
// run inside SteamAPI_RunCallbacks, on the thread that pumps.
#include "steam/session/session.h"

void QZ_Steam::OnGameOverlayActivated(GameOverlayActivated_t* event) {
  if (event == nullptr) return;
  overlayActive_ = event->m_bActive;
  if (overlayCallback_ != nullptr) overlayCallback_();
}

// A response that arrives before the game has set its function is dropped.
void QZ_Steam::OnMicroTxnAuthorizationResponse(MicroTxnAuthorizationResponse_t* event) {
  if (microTxnCallback_ == nullptr || event == nullptr) return;
  microTxnCallback_(event->m_ulOrderID, static_cast<int32_t>(event->m_bAuthorized));
}

void QZ_Steam::OnGetAuthSessionTicketResponse(GetAuthSessionTicketResponse_t* event) {
  if (event != nullptr) ticket_.OnResponse(event->m_hAuthTicket, event->m_eResult);
}

void QZ_Steam::OnUserAchievementStored(UserAchievementStored_t*) {}
