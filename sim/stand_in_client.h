#pragma once
// The typed client of a stand-in DLL's control exports (QZSim_*, cdecl,
// undecorated; control_functions.h), through which the demo and the Windows
// tests script the simulated platform and read what it saw: one method per
// control, of the control's own name and parameters, and a few that take
// C++ types. What the platform does with them is told in platform_model.h.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "sim/QZSim.h"
#include "sim/control_functions.h"
#include "steam/binding/steam_types.h"

namespace qz::sim {

class StandInClient {
 public:
  // Loads the DLL from `path` (a stand-in steam_api.dll or the stand-in
  // steamclient.dll) and looks up its control exports once. The DLL stays
  // loaded for the rest of the process, as the library running on it expects.
  explicit StandInClient(const std::wstring& path = L"steam_api.dll");
  // The DLL was loaded and has every control export; nothing else may be
  // called otherwise.
  bool Usable() const { return usable_; }

#define QZ_CLIENT_METHOD(name, ret, params, args, call) \
  ret name params const { return x_.name args; }
  QZ_SIM_CONTROLS(QZ_CLIENT_METHOD)
#undef QZ_CLIENT_METHOD

  void SetRequestCurrentStatsResults(const std::vector<bool>& results) const;
  void SetStoreStatsResults(const std::vector<bool>& results) const;
  void SetTicket(const std::vector<uint8_t>& bytes) const {
    x_.SetTicket(bytes.data(), static_cast<int32_t>(bytes.size()));
  }
  template <class T>
  void QueueEvent(const T& event, int32_t onPump = 1) const {
    x_.QueueEvent(T::k_iCallback, &event, static_cast<int32_t>(sizeof event), onPump);
  }
  // The calls since the log was last emptied whose function name starts with
  // `prefix` ("" for all), in order, as "Function(arguments)".
  std::vector<std::string> Calls(const std::string& prefix = "") const;
  // Every call since the log was last emptied, and the log emptied.
  std::vector<std::string> TakeCalls() const;
  // The registered callback objects, in the order of their registration.
  std::vector<QZSimRegistration> Registrations() const;

 private:
  struct Exports {
#define QZ_CLIENT_EXPORT(name, ret, params, args, call) QZSim_##name##_fn name;
    QZ_SIM_CONTROLS(QZ_CLIENT_EXPORT)
#undef QZ_CLIENT_EXPORT
  };
  Exports x_{};
  bool usable_ = false;
};

}  // namespace qz::sim
