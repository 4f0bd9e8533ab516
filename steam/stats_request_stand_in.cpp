#include "steam/stats_request_stand_in.h"

#include "steam/callback_registry.h"

namespace qz::steam {
namespace {

bool g_answerDue = false;
UserStatsReceived_t g_answer{};

}  // namespace

void QueueStatsAnswer(AppId_t appId, CSteamID steamId) {
  g_answer = UserStatsReceived_t{};
  g_answer.m_nGameID = CGameID(appId).ToUint64();
  g_answer.m_eResult = k_EResultOK;
  g_answer.m_steamIDUser = steamId;
  g_answerDue = true;
}

void DeliverDueStatsAnswer() {
  if (!g_answerDue) return;
  g_answerDue = false;
  // A copy: a handler may queue the next answer while this one is delivered.
  UserStatsReceived_t event = g_answer;
  DeliverToRegistered(UserStatsReceived_t::k_iCallback, &event);
}

void DropStatsAnswer() { g_answerDue = false; }

}  // namespace qz::steam
