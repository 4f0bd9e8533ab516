#include "sim/platform_model.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "sim/callback_dispatch.h"

namespace qz::sim {
namespace {

std::string Text(const char* text) { return text ? text : "null"; }
std::string Pointer(const void* p) { return p ? "ptr" : "null"; }
std::string Flag(bool b) { return b ? "1" : "0"; }

std::string Float(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

template <class... Parts>
std::string Join(const Parts&... parts) {
  std::string joined;
  bool first = true;
  ((joined += first ? "" : ",", joined += parts, first = false), ...);
  return joined;
}

}  // namespace

PlatformModel::PlatformModel() : ticket_{1, 2, 3, 4, 5, 6, 7, 8} {}

void PlatformModel::SetStatReadFails(const std::string& name, bool fails) {
  if (fails) {
    unconfiguredStats_[name] = true;
  } else {
    unconfiguredStats_.erase(name);
  }
}

void PlatformModel::SetStat(const std::string& name, int32_t value) {
  floatStats_.erase(name);
  intStats_[name] = value;
}

void PlatformModel::SetStat(const std::string& name, float value) {
  intStats_.erase(name);
  floatStats_[name] = value;
}

void PlatformModel::SetDisplayAttribute(const std::string& apiName, const std::string& key, const std::string& text) {
  displayAttributes_[apiName][key] = text;
}

void PlatformModel::SetTicketResponse(EResult result, int afterPumps) {
  ticketResult_ = result;
  ticketAfterPumps_ = afterPumps;
}

void PlatformModel::QueueRaw(int callbackId, const void* data, std::size_t size, int onPump) {
  Queue(callbackId, data, size, onPump, true);
}

void PlatformModel::QueueAfterCall(const std::string& function, int callbackId, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  triggers_.push_back({function, callbackId, std::vector<uint8_t>(bytes, bytes + size)});
}

int32_t PlatformModel::StatInt(const std::string& name) const {
  auto it = intStats_.find(name);
  return it == intStats_.end() ? 0 : it->second;
}

float PlatformModel::StatFloat(const std::string& name) const {
  auto it = floatStats_.find(name);
  return it != floatStats_.end() ? it->second : static_cast<float>(StatInt(name));
}

bool PlatformModel::Achieved(const std::string& apiName) const {
  auto it = achievements_.find(apiName);
  return it != achievements_.end() && it->second;
}

void PlatformModel::Log(const char* function, std::string arguments) {
  if (observer) observer(std::string(function) + "(" + arguments + ")");
  calls_.push_back({function, std::move(arguments)});
  if (calls_.size() > kCallRecordBound) calls_.pop_front();
  for (auto it = triggers_.begin(); it != triggers_.end();) {
    if (it->function == function) {
      Queue(it->callbackId, it->data.data(), it->data.size(), 1, true);
      it = triggers_.erase(it);
    } else {
      ++it;
    }
  }
}

std::vector<std::string> PlatformModel::CallLines(const std::string& prefix) const {
  std::vector<std::string> lines;
  for (const PlatformCall& call : calls_) {
    if (call.function.compare(0, prefix.size(), prefix) == 0) lines.push_back(call.function + "(" + call.arguments + ")");
  }
  return lines;
}

bool PlatformModel::NextResult(std::vector<bool>& results) {
  if (results.empty()) return true;
  bool result = results.front();
  if (results.size() > 1) results.erase(results.begin());
  return result;
}

bool PlatformModel::Configured(const char* name) const {
  return name != nullptr && unconfiguredStats_.count(name) == 0;
}

bool PlatformModel::Defined(const char* name, bool achievement) {
  if (!definitions_ || name == nullptr) return name != nullptr;
  if (achievement ? definitions_->achievements.count(name) != 0 : definitions_->statistics.count(name) != 0) return true;
  if (observer) observer("refused: " + std::string(name) + " is not defined by the app");
  return false;
}

void PlatformModel::Queue(int callbackId, const void* data, std::size_t size, int onPump, bool scripted) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  queue_.push_back(
      {callbackId, std::vector<uint8_t>(bytes, bytes + size), pumps_ + std::max(onPump, 1), scripted});
}

// --- Start, pump, shutdown, registration ---

ESteamAPIInitResult PlatformModel::StartSession() {
  if (!startSucceeds_) return k_ESteamAPIInitResult_NoSteamClient;
  running_ = true;
  return k_ESteamAPIInitResult_OK;
}

void PlatformModel::EndSession() {
  running_ = false;
  // Scripted events still queued belonged to the ended session: say which.
  for (const QueuedEvent& event : queue_) {
    if (observer && event.scripted) {
      observer("event " + std::to_string(event.callbackId) + " due on frame " + std::to_string(event.duePump) +
               " dropped: the session ended on frame " + std::to_string(pumps_));
    }
  }
  queue_.clear();
}

ESteamAPIInitResult PlatformModel::StartLogged(const char* function, std::string arguments, SteamErrMsg* error) {
  Log(function, std::move(arguments));
  const ESteamAPIInitResult result = StartSession();
  if (error) std::snprintf(*error, sizeof *error, "%s", result == k_ESteamAPIInitResult_OK ? "" : startFailure_.c_str());
  return result;
}

ESteamAPIInitResult PlatformModel::InitFlat(SteamErrMsg* error) {
  return StartLogged("SteamAPI_InitFlat", Pointer(error), error);
}

ESteamAPIInitResult PlatformModel::InternalInit(const char* interfaceVersions, SteamErrMsg* error) {
  return StartLogged("SteamInternal_SteamAPI_Init", Join(Text(interfaceVersions), Pointer(error)), error);
}

bool PlatformModel::Init() { return StartLogged("SteamAPI_Init", "", nullptr) == k_ESteamAPIInitResult_OK; }

std::vector<DueEvent> PlatformModel::Pump() {
  Log("SteamAPI_RunCallbacks", "");
  std::vector<DueEvent> due;
  if (!running_) return due;
  ++pumps_;
  for (auto it = queue_.begin(); it != queue_.end();) {
    if (it->duePump <= pumps_) {
      due.push_back({it->callbackId, std::move(it->data)});
      it = queue_.erase(it);
    } else {
      ++it;
    }
  }
  return due;
}

void PlatformModel::RunCallbacks() {
  // Handlers may register objects or queue events (a store made inside a
  // handler answers on a later pump), so work on copies.
  for (DueEvent& event : Pump()) {
    std::vector<void*> receivers;
    for (const ModelRegistration& r : registrations_) {
      if (r.callbackId == event.callbackId) receivers.push_back(r.object);
    }
    if (observer) {
      observer("event " + std::to_string(event.callbackId) + " delivered to " + std::to_string(receivers.size()) +
               " objects");
    }
    for (void* object : receivers) RunCallback(object, event.data.data());
  }
}

void PlatformModel::Shutdown() {
  Log("SteamAPI_Shutdown", "");
  EndSession();
}

void PlatformModel::RegisterCallback(void* object, int callbackId) {
  Log("SteamAPI_RegisterCallback", Join(Pointer(object), std::to_string(callbackId)));
  if (!object) return;
  MarkRegistered(object, callbackId);
  registrations_.push_back({object, callbackId, CallbackSizeBytes(object)});
}

void* PlatformModel::AccessorHandle(InterfaceId which) {
  return running_ ? &handles_[static_cast<int>(which)] : nullptr;
}

bool PlatformModel::InterfaceOfVersion(const char* version, InterfaceId* which) {
  if (version == nullptr) return false;
#define QZ_MATCH_VERSION(iface, handle, versions)                          \
  for (const char* known : {QZ_STEAM_UNPAREN versions}) {                  \
    if (std::strcmp(known, version) == 0) {                                \
      *which = InterfaceId::iface;                                         \
      return true;                                                         \
    }                                                                      \
  }
  QZ_STEAM_INTERFACES(QZ_MATCH_VERSION)
#undef QZ_MATCH_VERSION
  return false;
}

void* PlatformModel::InterfaceHandle(HSteamUser, HSteamPipe pipe, const char* version) {
  if (!running_ || pipe != kPipe) return nullptr;
  if (interfaceFor) return interfaceFor(version);
  InterfaceId which;
  return InterfaceOfVersion(version, &which) ? AccessorHandle(which) : nullptr;
}

// --- ISteamUser ---

bool PlatformModel::BLoggedOn() {
  Log("SteamAPI_ISteamUser_BLoggedOn", "");
  return running_ && loggedOn_;
}

uint64_t PlatformModel::GetSteamID() {
  Log("SteamAPI_ISteamUser_GetSteamID", "");
  return running_ && loggedOn_ ? steamId_ : 0;
}

HAuthTicket PlatformModel::GetAuthSessionTicket(void* ticket, int capacity, uint32_t* length,
                                                const void* identity) {
  Log("SteamAPI_ISteamUser_GetAuthSessionTicket",
      Join(Pointer(ticket), std::to_string(capacity), Pointer(length), Pointer(identity)));
  const bool user = running_ && loggedOn_;
  std::size_t n = user && ticket && capacity > 0 ? std::min(ticket_.size(), static_cast<std::size_t>(capacity)) : 0;
  if (n > 0) std::memcpy(ticket, ticket_.data(), n);
  if (length) *length = static_cast<uint32_t>(n);
  if (!user) return 0;
  HAuthTicket handle = ++lastTicket_;
  if (ticketAfterPumps_ > 0) {
    GetAuthSessionTicketResponse_t response{};
    response.m_hAuthTicket = handle;
    response.m_eResult = ticketResult_;
    Queue(GetAuthSessionTicketResponse_t::k_iCallback, &response, sizeof response, ticketAfterPumps_);
  }
  return handle;
}

void PlatformModel::EndAuthSession(uint64_t steamId) {
  Log("SteamAPI_ISteamUser_EndAuthSession", std::to_string(steamId));
}

SteamAPICall_t PlatformModel::RequestStoreAuthURL(const char* redirectUrl) {
  Log("SteamAPI_ISteamUser_RequestStoreAuthURL", Text(redirectUrl));
  return running_ ? storeAuthUrlCall_ : 0;
}

// --- ISteamUserStats ---

bool PlatformModel::RequestCurrentStats() {
  Log("SteamAPI_ISteamUserStats_RequestCurrentStats", "");
  if (!running_ || !loggedOn_ || !NextResult(requestResults_)) return false;
  UserStatsReceived_t answer{};
  answer.m_nGameID = CGameID(appId_).ToUint64();
  answer.m_eResult = receivedResult_;
  answer.m_steamIDUser = CSteamID(steamId_);
  Queue(UserStatsReceived_t::k_iCallback, &answer, sizeof answer, 1);
  return true;
}

bool PlatformModel::GetStatInt32(const char* name, int32_t* value) {
  Log("SteamAPI_ISteamUserStats_GetStatInt32", Join(Text(name), Pointer(value)));
  if (!running_ || !Configured(name) || !Defined(name, false) || !value) return false;
  *value = StatInt(name);
  return true;
}

bool PlatformModel::GetStatFloat(const char* name, float* value) {
  Log("SteamAPI_ISteamUserStats_GetStatFloat", Join(Text(name), Pointer(value)));
  if (!running_ || !Configured(name) || !Defined(name, false) || !value) return false;
  *value = StatFloat(name);
  return true;
}

bool PlatformModel::SetStatInt32(const char* name, int32_t value) {
  Log("SteamAPI_ISteamUserStats_SetStatInt32", Join(Text(name), std::to_string(value)));
  if (!running_ || !Configured(name) || !Defined(name, false)) return false;
  SetStat(name, value);
  return true;
}

bool PlatformModel::SetStatFloat(const char* name, float value) {
  Log("SteamAPI_ISteamUserStats_SetStatFloat", Join(Text(name), Float(value)));
  if (!running_ || !Configured(name) || !Defined(name, false)) return false;
  // The platform takes finite values only; the account could not hold others.
  if (!std::isfinite(value)) {
    if (observer) observer("refused: " + Text(name) + " is not a finite number");
    return false;
  }
  SetStat(name, value);
  return true;
}

bool PlatformModel::GetAchievement(const char* name, bool* achieved) {
  Log("SteamAPI_ISteamUserStats_GetAchievement", Join(Text(name), Pointer(achieved)));
  if (!running_ || !Defined(name, true) || !achieved) return false;
  *achieved = Achieved(name);
  return true;
}

bool PlatformModel::SetAchievementFlat(const char* name) {
  Log("SteamAPI_ISteamUserStats_SetAchievement", Text(name));
  if (!running_ || !Defined(name, true)) return false;
  achievements_[name] = true;
  return true;
}

const char* PlatformModel::GetAchievementDisplayAttribute(const char* name, const char* key) {
  Log("SteamAPI_ISteamUserStats_GetAchievementDisplayAttribute", Join(Text(name), Text(key)));
  if (!running_ || !key || !Defined(name, true)) return "";
  auto achievement = displayAttributes_.find(name);
  if (achievement == displayAttributes_.end()) return "";
  auto text = achievement->second.find(key);
  return text == achievement->second.end() ? "" : text->second.c_str();
}

bool PlatformModel::StoreStats() {
  Log("SteamAPI_ISteamUserStats_StoreStats", "");
  if (!running_ || !NextResult(storeResults_)) return false;
  UserStatsStored_t answer{};
  answer.m_nGameID = CGameID(appId_).ToUint64();
  answer.m_eResult = storedResult_;
  Queue(UserStatsStored_t::k_iCallback, &answer, sizeof answer, 1);
  if (storeAccepted) storeAccepted();
  return true;
}

bool PlatformModel::ResetAllStats(bool achievementsToo) {
  Log("SteamAPI_ISteamUserStats_ResetAllStats", Flag(achievementsToo));
  if (!running_) return false;
  intStats_.clear();
  floatStats_.clear();
  if (achievementsToo) achievements_.clear();
  return true;
}

// --- ISteamFriends, ISteamUtils, ISteamHTTP ---

void PlatformModel::ActivateGameOverlay(const char* dialog) {
  Log("SteamAPI_ISteamFriends_ActivateGameOverlay", Text(dialog));
}

void PlatformModel::ActivateGameOverlayToWebPage(const char* url, int mode) {
  Log("SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage", Join(Text(url), std::to_string(mode)));
}

AppId_t PlatformModel::GetAppID() {
  Log("SteamAPI_ISteamUtils_GetAppID", "");
  return running_ ? appId_ : 0;
}

HTTPRequestHandle PlatformModel::CreateHTTPRequest(int method, const char* url) {
  Log("SteamAPI_ISteamHTTP_CreateHTTPRequest", Join(std::to_string(method), Text(url)));
  return running_ ? httpRequestHandle_ : 0;
}

}  // namespace qz::sim
