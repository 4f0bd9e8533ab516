// Sequences of the session's exports against the in-process platform
// simulator: starts and stops, pumps, stores, stat updates with any (also
// unknown, empty or null) names and any values (NaN and infinities too),
// ticket requests with scripted tickets and responses, the game's
// micro-transaction function (which may itself stop or start the session),
// queued platform events, refused starts, reads, requests and stores. Every
// ticket answer is "-1", "-2", "-3", a result number or the hex text of the
// ticket the platform wrote; after each input the 59 achievements' display
// texts are still terminated.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "include/QZSteam.h"
#include "platform/win_seam.h"
#include "sim/platform_sim.h"
#include "steam/session/achievement_table.h"
#include "steam/session/auth_ticket.h"
#include "steam/session/session.h"

namespace {

using qz::sim::PlatformModel;
using namespace qz::steam;

FuzzedDataProvider* in;
std::string text;                                 // the last text argument made
std::vector<uint8_t> ticket;                      // what the platform writes

void Require(bool holds, const char* what, const char* answer = "") {
  if (!holds) std::fprintf(stderr, "session fuzzer: %s %s\n", what, answer), std::abort();
}

// A registered stat's name, an achievement key, any text, the empty text or null.
const char* Name() {
  switch (in->ConsumeIntegralInRange(0, 4)) {
    case 0: return kStatDefinitions[in->ConsumeIntegralInRange<std::size_t>(0, kStatCount - 1)].name;
    case 1: return kAchievementRows[in->ConsumeIntegralInRange<std::size_t>(0, kAchievementCount - 1)].apiName;
    case 2: return (text = in->ConsumeRandomLengthString(300)).c_str();
    case 3: return "";
    default: return in->ConsumeBool() ? "VERSION" : nullptr;
  }
}

float AnyFloat() {
  const uint32_t bits = in->ConsumeIntegral<uint32_t>();
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

EResult AnyResult() {
  return static_cast<EResult>(in->ConsumeBool() ? in->ConsumeIntegralInRange(0, 16) : in->ConsumeIntegral<int32_t>());
}

// The game's function; it may stop, start or mark a store from inside the pump.
void QZ_CDECL OnMicroTxn(uint64_t, int32_t) {
  switch (in->ConsumeIntegralInRange(0, 3)) {
    case 1: QZSteam_Shutdown(); break;
    case 2: QZSteam_Init(); break;
    case 3: QZSteam_UpdateServer(); break;
    default: break;
  }
}

void QueueEvent(PlatformModel& sim) {
  const int onPump = in->ConsumeIntegralInRange(1, 3);
  switch (in->ConsumeIntegralInRange(0, 5)) {
    case 0: sim.QueueEvent(GameOverlayActivated_t{in->ConsumeIntegral<uint8_t>()}, onPump); break;
    case 1: {
      MicroTxnAuthorizationResponse_t e{};
      e.m_unAppID = in->ConsumeIntegral<uint32_t>(), e.m_ulOrderID = in->ConsumeIntegral<uint64_t>();
      e.m_bAuthorized = in->ConsumeIntegral<uint8_t>();
      sim.QueueEvent(e, onPump);
      break;
    }
    case 2: sim.QueueEvent(GetAuthSessionTicketResponse_t{in->ConsumeIntegralInRange<HAuthTicket>(0, 64), AnyResult()}, onPump); break;
    case 3: {
      UserStatsReceived_t e{};
      e.m_nGameID = in->ConsumeBool() ? 480 : in->ConsumeIntegral<uint64_t>(), e.m_eResult = AnyResult();
      sim.QueueEvent(e, onPump);
      break;
    }
    case 4: sim.QueueEvent(UserStatsStored_t{in->ConsumeBool() ? 480u : in->ConsumeIntegral<uint64_t>(), AnyResult()}, onPump); break;
    default: {
      UserAchievementStored_t e{};
      const std::string name = in->ConsumeRandomLengthString(sizeof e.m_rgchAchievementName - 1);
      std::memcpy(e.m_rgchAchievementName, name.data(), name.size());
      sim.QueueEvent(e, onPump);
    }
  }
}

void ScriptPlatform(PlatformModel& sim) {
  switch (in->ConsumeIntegralInRange(0, 11)) {
    case 0: sim.SetStartSucceeds(in->ConsumeBool()); break;
    case 1: sim.SetLoggedOn(in->ConsumeBool()); break;
    case 2: if (const char* n = Name()) sim.SetStatReadFails(n, in->ConsumeBool()); break;
    case 3: sim.SetRequestCurrentStatsResults({in->ConsumeBool(), in->ConsumeBool()}); break;
    case 4: sim.SetStoreStatsResults({in->ConsumeBool(), in->ConsumeBool()}); break;
    case 5: sim.SetStatsReceivedResult(AnyResult()), sim.SetStatsStoredResult(AnyResult()); break;
    case 6: if (const char* n = Name()) in->ConsumeBool() ? sim.SetStat(n, in->ConsumeIntegral<int32_t>()) : sim.SetStat(n, AnyFloat()); break;
    case 7: if (const char* n = Name()) sim.SetAchievement(n, in->ConsumeBool()); break;
    case 8: {
      const std::string key = in->ConsumeBool() ? "name" : "desc";
      if (const char* n = Name()) sim.SetDisplayAttribute(n, key, in->ConsumeRandomLengthString(600));
      break;
    }
    case 9: sim.SetStoreAuthUrlCall(in->ConsumeIntegral<uint64_t>()), sim.SetHttpRequestHandle(in->ConsumeIntegral<uint32_t>()); break;
    case 10: {
      const std::size_t size = in->ConsumeBool() ? in->ConsumeIntegralInRange<std::size_t>(0, 16) : in->ConsumeIntegralInRange<std::size_t>(0, 3000);
      ticket.assign(size, 0);
      for (uint8_t& b : ticket) b = in->ConsumeIntegral<uint8_t>();
      sim.SetTicket(ticket);
      sim.SetTicketResponse(AnyResult(), in->ConsumeIntegralInRange(0, 3));
      break;
    }
    default: qz::sim::Install(in->ConsumeBool() ? "1.60" : "1.61"); break;
  }
}

void CheckTicketAnswer(const char* answer) {
  Require(answer != nullptr && *answer != 0, "no ticket answer");
  const std::string t = answer;
  const std::size_t digits = t.find_first_not_of("0123456789", t[0] == '-' ? 1 : 0);
  const bool number = digits == std::string::npos && t.size() > (t[0] == '-' ? 1u : 0u);
  std::string hex;
  for (std::size_t i = 0; i < std::min(ticket.size(), kTicketCapacity); ++i) {
    hex += "0123456789ABCDEF"[ticket[i] >> 4], hex += "0123456789ABCDEF"[ticket[i] & 15];
  }
  Require(number || t == hex, "ticket answer neither a code nor the ticket:", answer);
}

// Each achievement's display texts terminated.
void CheckAchievementTexts() {
  const QZ_Steam* const session = qz::steam::SessionObject();
  for (std::size_t row = 0; session != nullptr && row < kAchievementCount; ++row) {
    const AchievementState& a = session->AchievementAt(row);
    Require(std::memchr(a.name, 0, sizeof a.name) && std::memchr(a.desc, 0, sizeof a.desc), "texts unterminated:",
            kAchievementRows[row].apiName);
  }
}

void Setup() {
  qz::win::Api().sleep = [](uint32_t) {};  // the ticket wait counts its sleeps; none needs to pass
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static bool ready = (Setup(), true);
  (void)ready;
  FuzzedDataProvider input(data, size);
  in = &input;
  qz::sim::Install(input.ConsumeBool() ? "1.60" : "1.61");
  ticket = {1, 2, 3, 4, 5, 6, 7, 8};
  char accId[64];
  // A bounded number of calls per input: a ticket wait alone may pump 200 times.
  for (int call = 0; call < 48 && input.remaining_bytes() > 0; ++call) {
    switch (input.ConsumeIntegralInRange(0, 15)) {
      case 0: QZSteam_Init(); break;
      case 1: QZSteam_Shutdown(); break;
      case 2: QZSteam_RunCallbacks(); break;
      case 3: QZSteam_UpdateServer(); break;
      case 4: QZSteam_IncreaseStatValue(input.ConsumeIntegral<int32_t>(), Name()); break;
      case 5: QZSteam_SetStatValue(input.ConsumeIntegral<int32_t>(), Name()); break;
      case 6: QZSteam_IncreaseStatValueFloat(AnyFloat(), Name()); break;
      case 7: QZSteam_SetStatValueFloat(AnyFloat(), Name()); break;
      case 8: CheckTicketAnswer(QZSteam_GetAuthTicket(input.ConsumeBool())); break;
      case 9: QZSteam_SetMicroTxnCallback(input.ConsumeBool() ? &OnMicroTxn : nullptr); break;
      case 10: QueueEvent(*qz::sim::Platform()); break;
      case 11: ScriptPlatform(*qz::sim::Platform()); break;
      case 12: QZSteam_OpenOverlay(Name()), QZSteam_OpenURL(Name()); break;
      case 13: QZSteam_ReqStoreAuthURL(Name()), QZSteam_CreateHTTPRequest(input.ConsumeIntegral<int32_t>(), Name()); break;
      case 14: QZSteam_Test(), QZSteam_Test2(), QZSteam_IsOverlayActive(), QZSteam_BLoggedOn(), QZSteam_GetAccID(); break;
      default: Require(QZSteam_GetAccID64AsChar(accId) < 64 && std::strlen(accId) < 64, "account id too long"); break;
    }
  }
  // Damage to the texts lasts, so one look per input finds it.
  CheckAchievementTexts();
  // The next input starts from a stopped session on a freshly scripted
  // platform (the session object lives on, as in the game's process). What
  // this input allocated is freed, so that the fuzzer's leak check stays quiet.
  QZSteam_Shutdown();
  qz::sim::Reset();
  std::vector<uint8_t>().swap(ticket);
  std::string().swap(text);
  return 0;
}
