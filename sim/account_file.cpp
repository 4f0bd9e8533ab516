#include "sim/account_file.h"

#include <windows.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <string>

#include "sim/account_names.h"
#include "sim/json_members.h"
#include "sim/stand_in_paths.h"

namespace qz::sim {
namespace {

constexpr int kPromptPumps = 1;
constexpr int kLatePumps = 50;
constexpr char kAccountName[] = "steam_sim_account.json";

bool g_loaded = false;
bool g_inUse = false;
FILE* g_log = nullptr;
json g_account;
std::wstring g_accountPath;

void LogLine(const std::string& line) {
  if (g_log == nullptr) return;
  std::fprintf(g_log, "%s\n", line.c_str());
  std::fflush(g_log);
}

// The whole file, or false when it cannot be read.
bool ReadWhole(const std::wstring& path, std::string* text) {
  FILE* in = _wfopen(path.c_str(), L"rb");
  if (in == nullptr) return false;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) text->append(chunk, n);
  const bool whole = std::ferror(in) == 0;
  std::fclose(in);
  return whole;
}

// The app's definitions, in the schema of the library's statistics.json:
// {"statistics": [{"name", "type": "int" | "float"}], "achievements":
// [{"name", ...}]}; members the simulator does not need are left to the
// library's own build to check. VERSION, the library's own statistic that no
// table lists, is always an int statistic of the app.
AppDefinitions ReadDefinitions(const std::string& file) {
  std::string text;
  const std::wstring path = WholePath(g_accountPath.substr(0, g_accountPath.find_last_of(L'\\') + 1) + Wide(file));
  if (path.empty() || !ReadWhole(path, &text)) throw BadMember(file + " (the app's definitions) could not be read");
  AppDefinitions definitions;
  definitions.statistics["VERSION"] = false;
  try {
    const json all = ParseMembers(text);
    Object(all, "the file");
    const json none = json::array();
    const json& statistics = Array(all.contains("statistics") ? all["statistics"] : none, Key("", "statistics"),
                                   "an array of statistics");
    for (std::size_t i = 0; i < statistics.size(); ++i) {
      const std::string at = Index(Key("", "statistics"), i);
      const json& statistic = Object(statistics[i], at);
      const json type = statistic.value("type", json());
      if (type != "int" && type != "float") Bad(Key(at, "type"), "\"int\" or \"float\"", type);
      definitions.statistics[String(statistic.value("name", json()), Key(at, "name"), "a name")] = type == "float";
    }
    const json& achievements = Array(all.contains("achievements") ? all["achievements"] : none,
                                     Key("", "achievements"), "an array of achievements");
    for (std::size_t i = 0; i < achievements.size(); ++i) {
      const std::string at = Index(Key("", "achievements"), i);
      definitions.achievements.insert(String(Object(achievements[i], at).value("name", json()), Key(at, "name"), "a name"));
    }
  } catch (const std::exception& error) {
    throw BadMember(file + " (the app's definitions) is malformed: " + error.what());
  }
  return definitions;
}

void ApplyStat(PlatformModel& model, const std::optional<AppDefinitions>& app, const std::string& name,
               const json& value) {
  const std::string member = Key(Key("", "stats"), NameToFile(name));
  const auto defined = app ? app->statistics.find(name) : decltype(app->statistics.end()){};
  if (app && defined == app->statistics.end()) Bad(member, "a statistic the app defines", value);
  const bool isFloat = app ? defined->second : !value.is_number_integer();
  if (!isFloat) {
    model.SetStat(name, Int32(value, member, INT32_MIN, app ? "a 32-bit integer (an int statistic)" : "a 32-bit integer or a float"));
  } else if (value.is_number() && value.get<double>() >= -FLT_MAX && value.get<double>() <= FLT_MAX) {
    // A whole number for a float statistic is the float it spells.
    model.SetStat(name, value.get<float>());
  } else {
    Bad(member, app ? "a float (a float statistic)" : "a 32-bit integer or a float", value);
  }
}

// {"frame": N} or {"after": "Function"}, with either "overlay": true/false or
// "microTxn": {"orderId": N, "authorized": true/false}.
void ApplyEvent(PlatformModel& model, const json& event, const std::string& member) {
  Object(event, member);
  std::vector<uint8_t> data;
  int callbackId = 0;
  for (const auto& [key, value] : event.items()) {
    if ((key == "overlay" || key == "microTxn") && callbackId != 0) {
      Bad(member, "one event: \"overlay\" or \"microTxn\", not both", event);
    }
    if (key == "overlay") {
      GameOverlayActivated_t overlay{static_cast<uint8_t>(Boolean(value, Key(member, key)) ? 1 : 0)};
      callbackId = GameOverlayActivated_t::k_iCallback;
      data.assign(reinterpret_cast<uint8_t*>(&overlay), reinterpret_cast<uint8_t*>(&overlay) + sizeof overlay);
    } else if (key == "microTxn") {
      const std::string inner = Key(member, key);
      MicroTxnAuthorizationResponse_t order{};
      for (const auto& [field, fieldValue] : Object(value, inner).items()) {
        if (field == "orderId") {
          order.m_ulOrderID = Unsigned(fieldValue, Key(inner, field), UINT64_MAX, "an unsigned 64-bit integer");
        } else if (field == "authorized") {
          order.m_bAuthorized = Boolean(fieldValue, Key(inner, field)) ? 1 : 0;
        } else {
          Bad(Key(inner, field), "left out (it is not one of orderId, authorized)", fieldValue);
        }
      }
      callbackId = MicroTxnAuthorizationResponse_t::k_iCallback;
      data.assign(reinterpret_cast<uint8_t*>(&order), reinterpret_cast<uint8_t*>(&order) + sizeof order);
    } else if (key != "frame" && key != "after") {
      Bad(Key(member, key), "left out (it is not one of frame, after, overlay, microTxn)", value);
    }
  }
  if (callbackId == 0) Bad(member, "an event: \"overlay\" or \"microTxn\"", event);
  if (event.contains("frame") == event.contains("after")) Bad(member, "given a \"frame\" or an \"after\"", event);
  if (event.contains("frame")) {
    const int32_t frame = Int32(event["frame"], Key(member, "frame"), 1, "a frame number from 1");
    model.QueueRaw(callbackId, data.data(), data.size(), frame);
  } else {
    model.QueueAfterCall(String(event["after"], Key(member, "after"), "a function's name"), callbackId, data.data(),
                         data.size());
  }
}

// Applies the parsed account; throws BadMember for a member it cannot take.
void Apply(const json& account, PlatformModel& model) {
  if (!account.is_object()) throw BadMember("the file is not one JSON object");
  // The app's definitions come first: they say which names the other members may use.
  std::optional<AppDefinitions> app;
  if (account.contains("definitions")) {
    app = ReadDefinitions(String(account["definitions"], Key("", "definitions"),
                                 "the path of a statistics.json, relative to the account file"));
  }
  std::string ticket = "prompt";
  int32_t ticketResult = k_EResultOK;
  for (const auto& [key, value] : account.items()) {
    const std::string member = Key("", key);
    if (key == "loggedOn") {
      model.SetLoggedOn(Boolean(value, member));
    } else if (key == "steamId") {
      model.SetSteamId(Unsigned(value, member, UINT64_MAX, "an unsigned 64-bit integer"));
    } else if (key == "appId") {
      model.SetAppId(static_cast<AppId_t>(Unsigned(value, member, UINT32_MAX, "an unsigned 32-bit integer")));
    } else if (key == "stats") {
      for (const auto& [name, stat] : Object(value, member).items()) ApplyStat(model, app, NameFromFile(name), stat);
    } else if (key == "achievements") {
      for (const auto& [text, achieved] : Object(value, member).items()) {
        const std::string name = NameFromFile(text);
        if (app && app->achievements.count(name) == 0) Bad(Key(member, text), "an achievement the app defines", achieved);
        model.SetAchievement(name, Boolean(achieved, Key(member, text)));
      }
    } else if (key == "ticketResponse") {
      ticket = value.is_string() ? value.get<std::string>() : "";
      if (ticket != "prompt" && ticket != "late" && ticket != "never") {
        Bad(member, "\"prompt\", \"late\" or \"never\"", value);
      }
    } else if (key == "ticketResult") {
      ticketResult = Int32(value, member, INT32_MIN, "a result number (1 is OK)");
    } else if (key == "statsReceivedResult") {
      model.SetStatsReceivedResult(static_cast<EResult>(Int32(value, member, INT32_MIN, "a result number (1 is OK)")));
    } else if (key == "refuseStore") {
      if (Boolean(value, member)) model.SetStoreStatsResults({false});
    } else if (key == "failStart") {
      if (Boolean(value, member)) model.SetStartSucceeds(false);
    } else if (key == "events") {
      Array(value, member, "an array of events");
      for (std::size_t i = 0; i < value.size(); ++i) ApplyEvent(model, value[i], Index(member, i));
    } else if (key != "definitions") {
      Bad(member, "left out: it is no member of the account file", value);
    }
  }
  const int pumps = ticket == "prompt" ? kPromptPumps : ticket == "late" ? kLatePumps : INT_MAX;
  model.SetTicketResponse(static_cast<EResult>(ticketResult), pumps);
  if (app) model.SetAppDefinitions(std::move(*app));
}

// The start fails with `why` in the log, on the debugger and in the start's message.
void RefuseStart(PlatformModel& model, const std::string& why) {
  LogLine(why + " (starting as with no Steam client)");
  OutputDebugStringA(("steam_sim: " + why + " (starting as with no Steam client)\n").c_str());
  g_account = json::object();
  g_inUse = false;
  model.SetStartSucceeds(false);
  model.SetStartFailureMessage(why);
}

}  // namespace

void LoadAccountFileOnce(PlatformModel& model) {
  if (g_loaded) return;
  g_loaded = true;
  model.observer = &LogLine;
  // Without its own folder the stand-in could only guess at the account: it plays none.
  const std::wstring folder = DllFolder();
  if (folder.empty()) return RefuseStart(model, "the stand-in's own folder could not be read");
  g_log = _wfopen((folder + L"steam_sim.log").c_str(), L"a");
  g_accountPath = folder + Wide(kAccountName);
  if (GetFileAttributesW(g_accountPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
    LogLine(std::string("account: the default player (no ") + kAccountName + " beside the stand-in)");
    return;
  }
  LogLine(std::string("account: ") + kAccountName);
  std::string text;
  if (!ReadWhole(g_accountPath, &text)) return RefuseStart(model, std::string(kAccountName) + " could not be read");
  g_inUse = true;
  model.storeAccepted = [&model] { SaveAccountFile(model); };
  try {
    g_account = ParseMembers(text);
    Apply(g_account, model);
  } catch (const std::exception& error) {
    RefuseStart(model, std::string(kAccountName) + " is malformed: " + error.what());
  }
}

void SaveAccountFile(const PlatformModel& model) {
  if (!g_inUse || !g_account.is_object()) return;
  // A link to a shared account file is written through: the new file replaces its target.
  const std::wstring path = LinkTarget(g_accountPath), fresh = path + L".new";
  std::string text;
  try {
    json stats = json::object(), achievements = json::object();
    for (const auto& [name, value] : model.IntStats()) stats[NameToFile(name)] = value;
    for (const auto& [name, value] : model.FloatStats()) stats[NameToFile(name)] = value;
    for (const auto& [name, value] : model.Achievements()) achievements[NameToFile(name)] = value;
    g_account["stats"] = stats;
    g_account["achievements"] = achievements;
    text = g_account.dump(2) + "\n";
  } catch (const std::exception& error) {
    LogLine(std::string("account file not written (") + error.what() + "): " + kAccountName + " keeps what it held");
    return;
  }
  // A new file replaces the old one, so a crash mid-write leaves the old one whole.
  FILE* out = _wfopen(fresh.c_str(), L"wb");
  bool written = out != nullptr && std::fwrite(text.data(), 1, text.size(), out) == text.size();
  if (out != nullptr && std::fclose(out) != 0) written = false;
  if (written && MoveFileExW(fresh.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    LogLine("account file written: the store is kept");
    return;
  }
  LogLine(std::string("account file not written (error ") + std::to_string(GetLastError()) + "): " + kAccountName +
          " keeps what it held");
  DeleteFileW(fresh.c_str());
}

bool AccountFileInUse() { return g_inUse; }

void WriteLogLine(const std::string& line) { LogLine(line); }

}  // namespace qz::sim
