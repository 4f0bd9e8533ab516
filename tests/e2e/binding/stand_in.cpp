#include "stand_in.h"

#include <gtest/gtest.h>

#include <sstream>

#include "dll_under_test.h"

StandIn::StandIn() {
  module_ = LoadLibraryW((ProgramFolder() + L"\\steam_api.dll").c_str());
  EXPECT_NE(module_, nullptr) << "no stand-in steam_api.dll next to the test program";
}

template <class F>
F StandIn::Get(const char* name) const {
  FARPROC address = module_ ? GetProcAddress(module_, name) : nullptr;
  EXPECT_NE(address, nullptr) << name;
  return reinterpret_cast<F>(reinterpret_cast<void*>(address));
}

void StandIn::SetAppId(uint32_t appId) { Get<void(__cdecl*)(uint32_t)>("QZSim_SetAppId")(appId); }
void StandIn::SetSteamId(uint64_t steamId) { Get<void(__cdecl*)(uint64_t)>("QZSim_SetSteamId")(steamId); }
void StandIn::SetStatInt(const char* name, int32_t value) {
  Get<void(__cdecl*)(const char*, int32_t)>("QZSim_SetStatInt")(name, value);
}
void StandIn::SetStatFloat(const char* name, float value) {
  Get<void(__cdecl*)(const char*, float)>("QZSim_SetStatFloat")(name, value);
}
void StandIn::QueueEvent(int32_t callbackId, const void* data, int32_t size, int32_t onPump) {
  Get<void(__cdecl*)(int32_t, const void*, int32_t, int32_t)>("QZSim_QueueEvent")(callbackId, data, size, onPump);
}
void StandIn::ClearCalls() { Get<void(__cdecl*)()>("QZSim_ClearCalls")(); }

std::vector<std::string> StandIn::Calls() const {
  auto log = Get<int32_t(__cdecl*)(char*, int32_t)>("QZSim_CallLog");
  std::string text(static_cast<std::size_t>(log(nullptr, 0)) + 1, '\0');
  log(text.data(), static_cast<int32_t>(text.size()));
  text.resize(text.size() - 1);
  std::vector<std::string> calls;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) calls.push_back(line);
  return calls;
}

std::vector<std::string> StandIn::CallsStartingWith(const std::string& prefix) const {
  std::vector<std::string> matching;
  for (const std::string& call : Calls())
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  return matching;
}

int32_t StandIn::StatInt(const char* name) const { return Get<int32_t(__cdecl*)(const char*)>("QZSim_StatInt")(name); }

bool StandIn::Achieved(const char* apiName) const {
  return Get<int32_t(__cdecl*)(const char*)>("QZSim_Achieved")(apiName) != 0;
}

std::vector<QZSimRegistration> StandIn::Registrations() const {
  int32_t count = Get<int32_t(__cdecl*)()>("QZSim_RegistrationCount")();
  auto at = Get<int32_t(__cdecl*)(int32_t, QZSimRegistration*)>("QZSim_Registration");
  std::vector<QZSimRegistration> registrations(static_cast<std::size_t>(count));
  for (int32_t i = 0; i < count; ++i) at(i, &registrations[i]);
  return registrations;
}
