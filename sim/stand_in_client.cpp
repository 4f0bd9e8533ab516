#include "sim/stand_in_client.h"

#include <sstream>

namespace qz::sim {
namespace {

template <class F>
bool Find(HMODULE module, F& slot, const char* name) {
  slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return slot != nullptr;
}

std::vector<int32_t> Flags(const std::vector<bool>& results) {
  return std::vector<int32_t>(results.begin(), results.end());
}

}  // namespace

StandInClient::StandInClient(const std::wstring& path) {
  HMODULE module = LoadLibraryW(path.c_str());
  if (module == nullptr) return;
  bool all = true;
#define QZ_FIND(name, ret, params, args, call) all = Find(module, x_.name, "QZSim_" #name) && all;
  QZ_SIM_CONTROLS(QZ_FIND)
#undef QZ_FIND
  usable_ = all;
}

void StandInClient::SetRequestCurrentStatsResults(const std::vector<bool>& results) const {
  const std::vector<int32_t> flags = Flags(results);
  x_.SetRequestCurrentStatsResults(flags.data(), static_cast<int32_t>(flags.size()));
}

void StandInClient::SetStoreStatsResults(const std::vector<bool>& results) const {
  const std::vector<int32_t> flags = Flags(results);
  x_.SetStoreStatsResults(flags.data(), static_cast<int32_t>(flags.size()));
}

std::vector<std::string> StandInClient::Calls(const std::string& prefix) const {
  std::string text(static_cast<std::size_t>(x_.CallLog(nullptr, 0)) + 1, '\0');
  x_.CallLog(text.data(), static_cast<int32_t>(text.size()));
  std::vector<std::string> calls;
  std::istringstream lines(text.c_str());
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, prefix.size(), prefix) == 0) calls.push_back(line);
  }
  return calls;
}

std::vector<std::string> StandInClient::TakeCalls() const {
  std::vector<std::string> calls = Calls();
  x_.ClearCalls();
  return calls;
}

std::vector<QZSimRegistration> StandInClient::Registrations() const {
  std::vector<QZSimRegistration> registrations(static_cast<std::size_t>(x_.RegistrationCount()));
  for (std::size_t i = 0; i < registrations.size(); ++i) x_.Registration(static_cast<int32_t>(i), &registrations[i]);
  return registrations;
}

}  // namespace qz::sim
