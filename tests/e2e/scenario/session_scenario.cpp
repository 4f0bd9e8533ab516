// One game session through QZSteam.dll, checked on both sides: the game's
// answers and what the platform saw. The same table runs against each
// front of the simulated platform: a stand-in steam_api.dll beside the
// program, or Valve's real steam_api.dll with the stand-in Steam client
// (steamclient.dll beside the program, named in the registry of the Wine
// prefix). It plays the statistics table the DLL was built with, from the
// statistics.json beside the program. Usage: qz_session_scenario CASE, CASE one of
//   session       the whole session: start, statistics received, an unlock
//                 stored, a refused store, events, ticket, pass-throughs, exit
//   start-fails   the account's client refuses the start
//   no-user       no user is logged on
//   ticket-fails  the ticket's response fails
//   ticket-never  the ticket's response never comes
// Prints a line per step that passed and one per finding of a step that
// failed; exits 0 when all passed, 2 when the library refused steam_api.dll,
// 1 otherwise.
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "QZSteam.h"
#include "sim/stand_in_client.h"

namespace {

using Lines = std::vector<std::string>;
constexpr uint64_t kSteamId = 76561197960287930ull;
const std::string kStats = "SteamAPI_ISteamUserStats_";

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH] = {};
  const std::wstring self(path, GetModuleFileNameW(nullptr, path, MAX_PATH));
  return self.substr(0, self.find_last_of(L"\\/"));
}
std::wstring Beside(const wchar_t* name) { return ProgramFolder() + L"\\" + name; }
bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The registry values that point Valve's steam_api.dll at the stand-in
// client: written afresh for this run, and only inside a Wine prefix.
bool PointSteamAtTheStandInClient(const std::wstring& client) {
  if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr) {
    std::printf("refusing to write the Steam client's registry values outside Wine\n");
    return false;
  }
  const wchar_t* key = L"Software\\Valve\\Steam\\ActiveProcess";
  RegDeleteKeyW(HKEY_CURRENT_USER, key);
  HKEY handle = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr) != 0) return false;
  const DWORD pid = GetCurrentProcessId();
  const bool written =
      RegSetValueExW(handle, L"SteamClientDll", 0, REG_SZ, reinterpret_cast<const BYTE*>(client.c_str()),
                     static_cast<DWORD>((client.size() + 1) * sizeof(wchar_t))) == 0 &&
      RegSetValueExW(handle, L"pid", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&pid), sizeof pid) == 0;
  RegCloseKey(handle);
  return written;
}

// The lines of `calls` that start with `prefix`.
Lines Starting(const Lines& calls, const std::string& prefix) {
  Lines found;
  for (const std::string& call : calls)
    if (call.rfind(prefix, 0) == 0) found.push_back(call);
  return found;
}

// "" when `actual` is `expected`, else what differs, ended by a newline: a
// step's findings are joined, and each is printed on a line of its own.
std::string Expect(const std::string& what, const std::string& actual, const std::string& expected) {
  return actual == expected ? "" : what + " was " + actual + ", expected " + expected + "\n";
}
// For lists of calls: the first that differs.
std::string Expect(const std::string& what, const Lines& actual, const Lines& expected) {
  if (actual == expected) return "";
  std::size_t i = 0;
  while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
  return what + ": call " + std::to_string(i + 1) + " was " + (i < actual.size() ? actual[i] : "missing") +
         ", expected " + (i < expected.size() ? expected[i] : "none") + " (" + std::to_string(actual.size()) +
         " calls, " + std::to_string(expected.size()) + " expected)\n";
}

std::vector<std::pair<uint64_t, int32_t>> g_orders;
void __cdecl OnMicroTxn(uint64_t orderId, int32_t authorized) { g_orders.emplace_back(orderId, authorized); }

struct Step {
  const char* name;
  // "" when the step passed, else what went wrong.
  std::function<std::string(qz::sim::StandInClient& platform)> run;
};

// The statistics table the DLL was built with, as the statistics.json beside
// the program gives it: the statistics, the achievements in id order, and the
// statistics in the byte order of their names (the order of a store).
struct Statistic {
  std::string name;
  bool isFloat;
};
struct Row {
  std::string name;
  std::size_t stat;
  double threshold;
};
std::vector<Statistic> g_stats;
std::vector<Row> g_rows;
std::map<std::string, std::size_t> g_byName;

bool ReadTable() {
  std::ifstream in(std::filesystem::path(ProgramFolder() + L"\\statistics.json"));
  const nlohmann::json file = nlohmann::json::parse(in, nullptr, false);
  if (!file.is_object()) return false;
  for (const auto& stat : file["statistics"]) g_stats.push_back({stat["name"], stat["type"] == "float"});
  for (const auto& row : file["achievements"]) {
    std::size_t stat = 0;
    while (stat < g_stats.size() && g_stats[stat].name != row["statistic"]) ++stat;
    g_rows.push_back({row["name"], stat, row["threshold"]});
  }
  for (std::size_t stat = 0; stat < g_stats.size(); ++stat) g_byName[g_stats[stat].name] = stat;
  return !g_stats.empty();
}

// The statistics and unlocks the account must hold, advanced as the library
// must advance them: the calls of a tick are the unlocks, in id order, then,
// when a store is due, every statistic in byte order of the names and StoreStats.
struct Account {
  std::vector<double> values;
  std::vector<bool> unlocked;

  static std::string Text(std::size_t stat, double value) {
    char text[32];
    std::snprintf(text, sizeof text, g_stats[stat].isFloat ? "%g" : "%.0f", value);
    return text;
  }
  Lines Store() const {
    Lines calls;
    for (const auto& [name, stat] : g_byName)
      calls.push_back(kStats + (g_stats[stat].isFloat ? "SetStatFloat(" : "SetStatInt32(") + name + "," +
                      Text(stat, values[stat]) + ")");
    calls.push_back(kStats + "StoreStats()");
    return calls;
  }
  Lines Tick(bool storeDue) {
    Lines calls;
    for (std::size_t row = 0; row < g_rows.size(); ++row) {
      const Row& r = g_rows[row];
      const bool below =
          g_stats[r.stat].isFloat ? float(values[r.stat]) < float(r.threshold) : values[r.stat] < r.threshold;
      if (unlocked[row] || below) continue;
      unlocked[row] = storeDue = true;
      calls.push_back(kStats + "SetAchievement(" + r.name + ")");
    }
    for (const std::string& call : storeDue ? Store() : Lines{}) calls.push_back(call);
    return calls;
  }
  // The game sets a statistic through the export of its type.
  void Set(std::size_t stat, double value) {
    const char* name = g_stats[stat].name.c_str();
    g_stats[stat].isFloat ? QZSteam_SetStatValueFloat(float(value), name) : QZSteam_SetStatValue(int32_t(value), name);
    values[stat] = g_stats[stat].isFloat ? float(value) : value;
  }
  // The platform's account holds every value stored, and exactly the
  // achievements earned.
  std::string Compare(qz::sim::StandInClient& platform) const {
    std::string found, expected;
    for (const auto& [name, stat] : g_byName) {
      found += Text(stat, g_stats[stat].isFloat ? platform.StatFloat(&name[0]) : platform.StatInt(&name[0])) + " ";
      expected += Text(stat, values[stat]) + " ";
    }
    for (std::size_t row = 0; row < g_rows.size(); ++row) {
      found += std::to_string(platform.Achieved(g_rows[row].name.c_str()));
      expected += unlocked[row] ? "1" : "0";
    }
    return Expect("the account's values and achievements", found, expected);
  }
};
Account g_account;

// The achievement the session unlocks first, the first that a value below its
// threshold leaves locked (none in a table without one), and a float and an
// int statistic besides its own (RUN and KILL_ENEMY in the built-in table).
std::size_t g_played, g_otherFloat, g_otherInt;
bool Played() { return g_played < g_rows.size(); }
std::size_t PlayedStat() { return Played() ? g_rows[g_played].stat : g_stats.size(); }
void ChooseWhatToPlay() {
  g_played = std::find_if(g_rows.begin(), g_rows.end(), [](const Row& r) {
               return r.threshold > (g_stats[r.stat].isFloat ? -3e38 : INT32_MIN);
             }) - g_rows.begin();
  g_otherFloat = g_otherInt = g_stats.size();
  for (std::size_t stat = g_stats.size(); stat-- > 0;)
    if (stat != PlayedStat()) (g_stats[stat].isFloat ? g_otherFloat : g_otherInt) = stat;
  g_account.values.assign(g_stats.size(), 0.0);
  g_account.unlocked.assign(g_rows.size(), false);
  const auto below = [](const Row& r) {
    return g_stats[r.stat].isFloat ? std::nextafter(float(r.threshold), -INFINITY) : r.threshold - 1;
  };
  if (Played()) g_account.values[PlayedStat()] = below(g_rows[g_played]);
  if (g_otherFloat < g_stats.size()) g_account.values[g_otherFloat] = 12.5;
}

// Pumps until the statistics have been read (at most ten frames).
std::string ReceiveStatistics(qz::sim::StandInClient& platform) {
  for (int frame = 0; frame < 10; ++frame) {
    QZSteam_RunCallbacks();
    if (!platform.Calls(kStats + "GetStatInt32(VERSION,").empty()) {
      g_account.Tick(false);  // what the held values have earned, unlocked in the same frame
      return "";
    }
  }
  return "the statistics never arrived\n";
}

// The six callback objects as the stand-in steam_api.dll saw them the MSVC way
// (raw offsets, __thiscall through the vtable): registered under their ids
// before the start, sizes from slot 2, the registered flag at offset 4 and the
// id at offset 8. Valve's DLL keeps its registrations to itself.
std::string Registrations(qz::sim::StandInClient& platform) {
  const std::vector<QZSimRegistration> registrations = platform.Registrations();
  if (registrations.empty()) return "";
  std::string seen;
  for (const QZSimRegistration& r : registrations) {
    seen += std::to_string(r.callbackIdArgument) + "/" + std::to_string(r.sizeBytes) + "/" + std::to_string(r.flags) +
            "/" + std::to_string(r.callbackIdField) + " ";
  }
  return Expect("the registrations", seen, "331/1/1/331 152/24/1/152 163/8/1/163 1101/24/1/1101 1102/16/1/1102 1103/152/1/1103 ");
}

const std::vector<Step> kSession = {
    {"the start answers 1 and the user is logged on",
     [](qz::sim::StandInClient& platform) {
       char id[64] = "";
       const int32_t length = QZSteam_GetAccID64AsChar(id);
       return Registrations(platform) + Expect("QZSteam_BLoggedOn", std::to_string(QZSteam_BLoggedOn()), "1") +
              Expect("the 64-bit id", std::to_string(length) + ":" + id, "17:76561197960287930") +
              Expect("the account id", std::to_string(QZSteam_GetAccID()), std::to_string(uint32_t(kSteamId)));
     }},
    {"the statistics are received, the overlay opens and a micro-transaction reaches the game",
     [](qz::sim::StandInClient& platform) {
       if (QZSteam_SetMicroTxnCallback(&OnMicroTxn) != 1) return std::string("the game's function was not taken");
       const GameOverlayActivated_t overlay{1};
       const MicroTxnAuthorizationResponse_t order{480, 0x0123456789ABCDEFull, 1};
       platform.QueueEvent(overlay);
       platform.QueueEvent(order);
       const std::string received = ReceiveStatistics(platform);
       const std::string orders = g_orders.size() == 1 ? std::to_string(g_orders[0].first) + "," +
                                                             std::to_string(g_orders[0].second)
                                                       : std::to_string(g_orders.size()) + " orders";
       return received + Expect("QZSteam_IsOverlayActive", std::to_string(QZSteam_IsOverlayActive()), "1") +
              Expect("the order", orders, "81985529216486895,1");
     }},
    {"a statistic raised to its threshold unlocks its achievement and every statistic is stored",
     [](qz::sim::StandInClient& platform) {
       platform.ClearCalls();
       if (!Played()) {
         QZSteam_UpdateServer();
       } else if (g_stats[PlayedStat()].isFloat) {
         g_account.Set(PlayedStat(), g_rows[g_played].threshold);
       } else {
         QZSteam_IncreaseStatValue(1, g_stats[PlayedStat()].name.c_str());
         g_account.values[PlayedStat()] += 1;
       }
       QZSteam_RunCallbacks();
       const Lines expected = g_account.Tick(!Played());
       return Expect("the statistics calls", platform.Calls(kStats), expected) +
              Expect("an unlock", std::to_string(expected.size() > g_stats.size() + 1), Played() ? "1" : "0") +
              g_account.Compare(platform);
     }},
    {"a refused store is made again on the next frame, with what the values earned before it",
     [](qz::sim::StandInClient& platform) {
       platform.SetStoreStatsResults({false, true});
       QZSteam_RunCallbacks();  // the stored event of the last store
       platform.ClearCalls();
       if (g_otherFloat < g_stats.size()) g_account.Set(g_otherFloat, 20.25);
       if (g_otherInt < g_stats.size()) g_account.Set(g_otherInt, 40);
       QZSteam_UpdateServer();
       QZSteam_RunCallbacks();
       QZSteam_RunCallbacks();
       Lines expected = g_account.Tick(true);
       const Lines again = g_account.Store();
       expected.insert(expected.end(), again.begin(), again.end());
       return Expect("the statistics calls", platform.Calls(kStats), expected);
     }},
    {"the ticket comes as hex text",
     [](qz::sim::StandInClient& platform) {
       platform.SetTicket({0x0A, 0xBC, 0x12});
       return Expect("the ticket", QZSteam_GetAuthTicket(1), "0ABC12");
     }},
    {"the pass-throughs reach the platform with their answers",
     [](qz::sim::StandInClient& platform) {
       platform.SetStoreAuthUrlCall(0x0123456789ABCDEFull);
       platform.SetHttpRequestHandle(77);
       platform.ClearCalls();
       QZSteam_OpenOverlay("achievements");
       QZSteam_OpenURL("https://example.org/");
       const uint64_t call = QZSteam_ReqStoreAuthURL("https://example.org/back");
       const uint32_t request = QZSteam_CreateHTTPRequest(3, "https://example.org/post");
       const uint32_t app = QZSteam_Test();
       QZSteam_Test2();
       return Expect("the answers", std::to_string(call) + " " + std::to_string(request) + " " + std::to_string(app),
                     "81985529216486895 77 480") +
              Expect("the calls", Starting(platform.Calls(), "SteamAPI_ISteam"),
                     {"SteamAPI_ISteamFriends_ActivateGameOverlay(achievements)",
                      "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://example.org/,0)",
                      "SteamAPI_ISteamUser_RequestStoreAuthURL(https://example.org/back)",
                      "SteamAPI_ISteamHTTP_CreateHTTPRequest(3,https://example.org/post)",
                      "SteamAPI_ISteamUtils_GetAppID()",
                      "SteamAPI_ISteamFriends_ActivateGameOverlayToWebPage(https://store.steampowered.com/,0)"});
     }},
    {"the exit sequence stores the last values, then ends the session",
     [](qz::sim::StandInClient& platform) {
       g_account.Set(0, 33);
       platform.ClearCalls();
       QZSteam_UpdateServer();
       QZSteam_Shutdown();
       Lines expected = g_account.Store();
       expected.push_back("SteamAPI_ISteamUser_EndAuthSession(76561197960287930)");
       expected.push_back("SteamAPI_Shutdown()");
       Lines calls = Starting(platform.Calls(), "SteamAPI_ISteam");
       for (const std::string& call : Starting(platform.Calls(), "SteamAPI_Shutdown")) calls.push_back(call);
       return Expect("the calls", calls, expected) + g_account.Compare(platform) +
              Expect("QZSteam_BLoggedOn after it", std::to_string(QZSteam_BLoggedOn()), "0") +
              Expect("the ticket after it", QZSteam_GetAuthTicket(1), "-1");
     }},
};

const std::vector<Step> kStartFails = {
    {"the start answers 0 and nothing reaches the platform",
     [](qz::sim::StandInClient& platform) {
       return Expect("QZSteam_Init again", std::to_string(QZSteam_Init()), "0") +
              Expect("the interface calls", Starting(platform.Calls(), "SteamAPI_ISteam"), {}) +
              Expect("the ticket", QZSteam_GetAuthTicket(1), "-1");
     }},
};

const std::vector<Step> kNoUser = {
    {"the session runs without a user and without statistics",
     [](qz::sim::StandInClient& platform) {
       for (int frame = 0; frame < 3; ++frame) QZSteam_RunCallbacks();
       g_account.Set(0, 5);
       QZSteam_UpdateServer();
       QZSteam_RunCallbacks();
       const std::string loggedOn = std::to_string(QZSteam_BLoggedOn());
       const std::string account = std::to_string(QZSteam_GetAccID()) + " " + QZSteam_GetAuthTicket(1);
       QZSteam_Shutdown();
       return Expect("QZSteam_BLoggedOn", loggedOn, "0") + Expect("the account id and ticket", account, "0 -2") +
              Expect("the statistics calls", platform.Calls(kStats), {}) +
              Expect("the user calls", platform.Calls("SteamAPI_ISteamUser_EndAuthSession"), {});
     }},
};

const std::vector<Step> kTicketFails = {
    {"the ticket answers the failed result",
     [](qz::sim::StandInClient&) { return Expect("the ticket", QZSteam_GetAuthTicket(1), "2"); }},
};

const std::vector<Step> kTicketNever = {
    {"the ticket answers -3 after its wait",
     [](qz::sim::StandInClient&) { return Expect("the ticket", QZSteam_GetAuthTicket(1), "-3"); }},
};

// The account file's own events and faults, with no control involved.
const std::vector<Step> kOffline = {
    {"the overlay opens on frame 2 and closes on frame 3",
     [](qz::sim::StandInClient&) {
       std::string states;
       for (int frame = 1; frame <= 3; ++frame) {
         QZSteam_RunCallbacks();
         states += std::to_string(QZSteam_IsOverlayActive());
       }
       return Expect("the overlay on frames 1 to 3", states, "010");
     }},
    {"the micro-transaction comes on the frame after the overlay call",
     [](qz::sim::StandInClient&) {
       QZSteam_SetMicroTxnCallback(&OnMicroTxn);
       QZSteam_RunCallbacks();
       const std::size_t before = g_orders.size();
       QZSteam_OpenOverlay("store");
       QZSteam_RunCallbacks();
       return Expect("orders before, after", std::to_string(before) + "," + std::to_string(g_orders.size()), "0,1") +
              Expect("the order", g_orders.empty() ? "" : std::to_string(g_orders[0].first), "77");
     }},
    {"a failed reception takes no update: nothing is stored",
     [](qz::sim::StandInClient& platform) {
       g_account.Set(0, 50);
       QZSteam_UpdateServer();
       QZSteam_RunCallbacks();
       return Expect("the stores", platform.Calls(kStats + "StoreStats"), {});
     }},
};

// A float the account cannot hold is refused, and the file stays as it was.
// It plays RUN, so it runs with the built-in table alone.
const std::vector<Step> kNonFinite = {
    {"a NaN for RUN is refused and the account file keeps RUN",
     [](qz::sim::StandInClient& platform) {
       const std::string received = ReceiveStatistics(platform);
       QZSteam_SetStatValueFloat(std::numeric_limits<float>::quiet_NaN(), "RUN");
       platform.SetStatInt("caf\xE9", 1);  // not UTF-8: kept as its bytes, written as a name the file can hold
       QZSteam_UpdateServer();
       QZSteam_RunCallbacks();
       std::ifstream in(std::filesystem::path(ProgramFolder() + L"\\steam_sim_account.json"));
       const std::string file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
       return received + Expect("the account's RUN", std::to_string(platform.StatFloat("RUN")), "12.500000") +
              Expect("a stored file without the NaN", std::to_string(file.find("\"RUN\": 12.5") != std::string::npos &&
                                                                     file.find("null") == std::string::npos &&
                                                                     file.find("\"caf\xF4\x8F\xBF\xA9\": 1") != std::string::npos &&
                                                                     file.find("\"achievements\"") != std::string::npos),
                     "1");
     }},
};

struct Case {
  const char* name;
  const char* accountExtra;  // more members of the account file
  int expectedStart;
  const std::vector<Step>* steps;
};

const Case kCases[] = {
    {"session", "", 1, &kSession},
    {"start-fails", ", \"failStart\": true", 0, &kStartFails},
    {"no-user", ", \"loggedOn\": false", 1, &kNoUser},
    {"ticket-fails", ", \"ticketResult\": 2", 1, &kTicketFails},
    {"ticket-never", ", \"ticketResponse\": \"never\"", 1, &kTicketNever},
    {"offline-events",
     ", \"statsReceivedResult\": 2, \"events\": [{\"frame\": 2, \"overlay\": true}, {\"frame\": 3, \"overlay\": "
     "false}, {\"after\": \"SteamAPI_ISteamFriends_ActivateGameOverlay\", \"microTxn\": {\"orderId\": 77, "
     "\"authorized\": true}}]",
     1, &kOffline},
    {"non-finite", "", 1, &kNonFinite},
};

}  // namespace

int main(int argc, char** argv) {
  const std::string wanted = argc > 1 ? argv[1] : "session";
  const Case* chosen = nullptr;
  for (const Case& c : kCases)
    if (wanted == c.name) chosen = &c;
  if (chosen == nullptr) {
    std::printf("unknown case %s\n", wanted.c_str());
    return 1;
  }
  if (!ReadTable()) {
    std::printf("FAILED: no statistics table (statistics.json) beside the program\n");
    return 1;
  }
  ChooseWhatToPlay();
  // The platform's model lives in the stand-in client when there is one,
  // behind Valve's steam_api.dll; otherwise in the stand-in steam_api.dll.
  const std::wstring client = Beside(L"steamclient.dll");
  const bool real = Exists(client);
  if (real && !PointSteamAtTheStandInClient(client)) return 1;
  {
    // The app defines the table's names, as the DLL's statistics.json lists
    // them; the played statistic one below its threshold, a float statistic at 12.5.
    std::ofstream account(std::filesystem::path(ProgramFolder() + L"\\steam_sim_account.json"));
    account.precision(17);
    account << "{\"appId\": 480, \"definitions\": \"statistics.json\", \"steamId\": " << kSteamId
            << ", \"stats\": {\"VERSION\": 1";
    if (Played()) account << ", \"" << g_stats[PlayedStat()].name << "\": " << g_account.values[PlayedStat()];
    if (g_otherFloat < g_stats.size()) account << ", \"" << g_stats[g_otherFloat].name << "\": 12.5";
    account << "}" << chosen->accountExtra << "}\n";
  }
  qz::sim::StandInClient platform(real ? client : Beside(L"steam_api.dll"));
  if (!platform.Usable()) {
    std::printf("FAILED: no simulated platform beside the program\n");
    return 1;
  }
  if (QZSteam_SetMicroTxnCallback(&OnMicroTxn) != -1) std::printf("note: a session object existed before the start\n");
  const int32_t started = QZSteam_Init();
  if (started == 0 && chosen->expectedStart == 1) {
    std::printf("refused: QZSteam_Init answered 0\n");
    return 2;
  }
  int failures = started == chosen->expectedStart ? 0 : 1;
  if (failures != 0) std::printf("FAILED: QZSteam_Init answered %d\n", static_cast<int>(started));
  for (const Step& step : *chosen->steps) {
    if (failures != 0) break;
    const std::string problems = step.run(platform);
    if (problems.empty()) std::printf("ok %s\n", step.name);
    for (std::size_t at = 0, end = 0; at < problems.size(); at = end + 1) {
      end = std::min(problems.find('\n', at), problems.size());
      if (end > at) std::printf("FAILED: %s: %.*s\n", step.name, static_cast<int>(end - at), problems.c_str() + at);
    }
    failures += problems.empty() ? 0 : 1;
  }
  if (real) RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\Valve\\Steam\\ActiveProcess");
  return failures == 0 ? 0 : 1;
}
