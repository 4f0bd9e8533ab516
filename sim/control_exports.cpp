// The stand-in DLLs' control exports, generated from control_functions.h.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "sim/QZSim.h"
#include "sim/account_file.h"
#include "sim/callback_dispatch.h"
#include "sim/control_functions.h"
#include "sim/stand_in_entry.h"
#include "sim/stand_in_model.h"

namespace {

using qz::sim::PlatformModel;

std::string Text(const char* text) { return text ? text : ""; }

std::vector<bool> Flags(const int32_t* results, int32_t count) {
  std::vector<bool> answers;
  for (int32_t i = 0; results && i < count; ++i) answers.push_back(results[i] != 0);
  return answers;
}

std::vector<uint8_t> Bytes(const uint8_t* bytes, int32_t count) {
  return bytes && count > 0 ? std::vector<uint8_t>(bytes, bytes + count) : std::vector<uint8_t>();
}

void QueueEvent(PlatformModel& model, int32_t callbackId, const void* data, int32_t size, int32_t onPump) {
  if (data && size > 0) model.QueueRaw(callbackId, data, static_cast<std::size_t>(size), onPump);
}

int32_t CallLog(const PlatformModel& model, char* buffer, int32_t capacity) {
  std::string log;
  for (const std::string& line : model.CallLines()) log += line + "\n";
  if (buffer && capacity > 0) {
    const std::size_t n = std::min(log.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(buffer, log.data(), n);
    buffer[n] = '\0';
  }
  return static_cast<int32_t>(log.size());
}

int32_t Registration(const PlatformModel& model, int32_t index, QZSimRegistration* out) {
  const auto& registrations = model.Registrations();
  if (!out || index < 0 || static_cast<std::size_t>(index) >= registrations.size()) return 0;
  const auto& r = registrations[static_cast<std::size_t>(index)];
  *out = {r.callbackId, r.sizeBytes, qz::sim::CallbackFlags(r.object), qz::sim::CallbackIdField(r.object)};
  return 1;
}

}  // namespace

// Each under the stand-in's lock with every exception caught, like the
// platform exports.
#define QZ_CONTROL_EXPORT(name, ret, params, args, call)               \
  extern "C" ret __cdecl QZSim_##name params {                         \
    return qz::sim::Enter("QZSim_" #name, [&] {                        \
      [[maybe_unused]] PlatformModel& model = qz::sim::StandInModel(); \
      return call;                                                     \
    });                                                                \
  }
QZ_SIM_CONTROLS(QZ_CONTROL_EXPORT)
#undef QZ_CONTROL_EXPORT

// QZSim.h, the header game teams get, names each control with its listed type.
#define QZ_CHECK_DECLARED(name, ret, params, args, call) \
  static_assert(std::is_same_v<QZSim_##name##_fn, ret(QZSIM_CALL*) params>, "QZSim.h: QZSim_" #name);
QZ_SIM_CONTROLS(QZ_CHECK_DECLARED)
#undef QZ_CHECK_DECLARED
