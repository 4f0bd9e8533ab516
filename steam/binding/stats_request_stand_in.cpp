#include "steam/binding/stats_request_stand_in.h"

namespace qz::steam {
namespace {

CCallbackBase* g_receiver = nullptr;
bool g_answerDue = false;
UserStatsReceived_t g_answer{};

}  // namespace

void NoteRegistration(CCallbackBase* object, int callbackId) {
  if (callbackId == UserStatsReceived_t::k_iCallback) g_receiver = object;
}

void QueueStatsAnswer(AppId_t appId, CSteamID steamId) {
  g_answer = UserStatsReceived_t{};
  g_answer.m_nGameID = CGameID(appId).ToUint64();
  g_answer.m_eResult = k_EResultOK;
  g_answer.m_steamIDUser = steamId;
  g_answerDue = true;
}

void DeliverDueStatsAnswer() {
  if (!g_answerDue || g_receiver == nullptr) return;
  g_answerDue = false;
  // A copy: the handler may queue the next answer while this one is delivered.
  UserStatsReceived_t event = g_answer;
  g_receiver->Run(&event);
}

void DropStatsAnswer() { g_answerDue = false; }

}  // namespace qz::steam
