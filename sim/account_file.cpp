#include "sim/account_file.h"

#include <windows.h>

#include <climits>
#include <cstring>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>

namespace qz::sim {
namespace {

using nlohmann::json;

constexpr int kPromptPumps = 1;
constexpr int kLatePumps = 50;

bool g_loaded = false;
bool g_inUse = false;
FILE* g_log = nullptr;
json g_account;

// The folder of this DLL, with a trailing backslash.
std::wstring DllFolder() {
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&DllFolder), &self);
  wchar_t path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

std::wstring AccountPath() { return DllFolder() + L"steam_sim_account.json"; }

void LogLine(const std::string& line) {
  if (g_log == nullptr) return;
  std::fprintf(g_log, "%s\n", line.c_str());
  std::fflush(g_log);
}

// Applies the parsed account; throws json errors for values of the wrong type.
void Apply(const json& account, PlatformModel& model) {
  if (!account.is_object()) throw std::runtime_error("the file is not one JSON object");
  model.SetLoggedOn(account.value("loggedOn", true));
  if (account.contains("steamId")) model.SetSteamId(account.at("steamId").get<uint64_t>());
  if (account.contains("appId")) model.SetAppId(account.at("appId").get<uint32_t>());
  const json stats = account.value("stats", json::object()), achievements = account.value("achievements", json::object());
  for (const auto& [name, value] : stats.items()) {
    if (value.is_number_integer()) {
      model.SetStat(name, value.get<int32_t>());
    } else {
      model.SetStat(name, value.get<float>());
    }
  }
  for (const auto& [name, value] : achievements.items())
    model.SetAchievement(name, value.get<bool>());
  const std::string ticket = account.value("ticketResponse", std::string("prompt"));
  const int pumps = ticket == "prompt" ? kPromptPumps : ticket == "late" ? kLatePumps : ticket == "never" ? INT_MAX : -1;
  if (pumps < 0) throw std::runtime_error("ticketResponse is not \"prompt\", \"late\" or \"never\"");
  model.SetTicketResponse(static_cast<EResult>(account.value("ticketResult", 1)), pumps);
  if (account.value("refuseStore", false)) model.SetStoreStatsResults({false});
  if (account.value("failStart", false)) model.SetStartSucceeds(false);
}

}  // namespace

void LoadAccountFileOnce(PlatformModel& model) {
  if (g_loaded) return;
  g_loaded = true;
  FILE* in = _wfopen(AccountPath().c_str(), L"rb");
  if (in == nullptr) return;
  std::string text;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) text.append(chunk, n);
  std::fclose(in);
  g_inUse = true;
  g_log = _wfopen((DllFolder() + L"steam_sim.log").c_str(), L"a");
  model.observer = &LogLine;
  model.storeAccepted = [&model] { SaveAccountFile(model); };
  try {
    g_account = json::parse(text);
    Apply(g_account, model);
    LogLine("account file read: steam_sim_account.json");
  } catch (const std::exception& error) {
    const std::string why = std::string("steam_sim_account.json is malformed: ") + error.what();
    LogLine("account file " + why.substr(std::strlen("steam_sim_account.json ")) +
            " (starting as with no Steam client)");
    g_account = json::object();
    model.SetStartSucceeds(false);
    model.SetStartFailureMessage(why);
  }
}

void SaveAccountFile(const PlatformModel& model) {
  if (!g_inUse || !g_account.is_object()) return;
  json stats = json::object();
  for (const auto& [name, value] : model.IntStats()) stats[name] = value;
  for (const auto& [name, value] : model.FloatStats()) stats[name] = value;
  g_account["stats"] = stats;
  g_account["achievements"] = model.Achievements();
  // A new file replaces the old one, so a crash mid-write leaves the old one whole.
  const std::wstring path = AccountPath(), fresh = path + L".new";
  const std::string text = g_account.dump(2) + "\n";
  FILE* out = _wfopen(fresh.c_str(), L"wb");
  const bool written = out != nullptr && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out != nullptr && std::fclose(out) != 0) return LogLine("account file not written: closing the new file failed");
  if (!written) return LogLine("account file not written: steam_sim_account.json.new could not be written");
  if (MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    LogLine("account file written: the store is kept");
  } else {
    LogLine("account file not written: error " + std::to_string(GetLastError()));
  }
}

bool AccountFileInUse() { return g_inUse; }

}  // namespace qz::sim
