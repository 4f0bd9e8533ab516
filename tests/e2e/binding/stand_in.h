#pragma once
// The stand-in steam_api.dll of the test program's folder, reached through
// its control exports: scripts the simulated platform, reads what it saw.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/stand_in_control.h"

class StandIn {
 public:
  // Loads steam_api.dll from the program's folder (the same module QZSteam.dll
  // will find); fails the test when it is absent.
  StandIn();

  void SetAppId(uint32_t appId);
  void SetSteamId(uint64_t steamId);
  void SetStatInt(const char* name, int32_t value);
  void SetStatFloat(const char* name, float value);
  void QueueEvent(int32_t callbackId, const void* data, int32_t size, int32_t onPump = 1);
  void ClearCalls();

  // The call log, one "Function(arguments)" per entry.
  std::vector<std::string> Calls() const;
  // The entries whose function name starts with `prefix`.
  std::vector<std::string> CallsStartingWith(const std::string& prefix) const;
  int32_t StatInt(const char* name) const;
  bool Achieved(const char* apiName) const;
  std::vector<QZSimRegistration> Registrations() const;

 private:
  template <class F>
  F Get(const char* name) const;

  HMODULE module_ = nullptr;
};
