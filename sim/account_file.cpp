#include "sim/account_file.h"

#include <windows.h>

#include <cfloat>
#include <climits>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>

namespace qz::sim {
namespace {

using nlohmann::json;

constexpr int kPromptPumps = 1;
constexpr int kLatePumps = 50;
constexpr char kAccountName[] = "steam_sim_account.json";

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

// A member that is not what the account file allows; its text names it.
struct BadMember : std::runtime_error {
  using std::runtime_error::runtime_error;
};

[[noreturn]] void Bad(const std::string& member, const std::string& expected, const json& value) {
  const std::string type = value.type_name();
  const std::string found = value.is_number()                   ? "the number " + value.dump()
                            : type == "object" || type == "array" ? "an " + type
                                                                  : "a " + type;
  throw BadMember("member \"" + member + "\" must be " + expected + ", but is " + found);
}

bool Boolean(const json& value, const std::string& member) {
  if (!value.is_boolean()) Bad(member, "true or false", value);
  return value.get<bool>();
}

uint64_t Unsigned(const json& value, const std::string& member, uint64_t most, const char* expected) {
  if (!value.is_number_unsigned() || value.get<uint64_t>() > most) Bad(member, expected, value);
  return value.get<uint64_t>();
}

int32_t Int32(const json& value, const std::string& member, int64_t least, const char* expected) {
  if (!value.is_number_integer() || value.get<int64_t>() < least || value.get<int64_t>() > INT32_MAX)
    Bad(member, expected, value);
  return static_cast<int32_t>(value.get<int64_t>());
}

const json& Object(const json& value, const std::string& member) {
  if (!value.is_object()) Bad(member, "an object", value);
  return value;
}

void ApplyStat(PlatformModel& model, const std::string& name, const json& value) {
  const std::string member = "stats\".\"" + name;
  if (value.is_number_integer()) {
    model.SetStat(name, Int32(value, member, INT32_MIN, "a 32-bit integer or a float"));
  } else if (value.is_number_float() && value.get<double>() >= -FLT_MAX && value.get<double>() <= FLT_MAX) {
    model.SetStat(name, value.get<float>());
  } else {
    Bad(member, "a 32-bit integer or a float", value);
  }
}

// {"frame": N} or {"after": "Function"}, with "overlay": true/false or
// "microTxn": {"orderId": N, "authorized": true/false}.
void ApplyEvent(PlatformModel& model, const json& event, const std::string& member) {
  Object(event, member);
  std::vector<uint8_t> data;
  int callbackId = 0;
  for (const auto& [key, value] : event.items()) {
    if (key == "overlay") {
      GameOverlayActivated_t overlay{static_cast<uint8_t>(Boolean(value, member + "\".\"overlay") ? 1 : 0)};
      callbackId = GameOverlayActivated_t::k_iCallback;
      data.assign(reinterpret_cast<uint8_t*>(&overlay), reinterpret_cast<uint8_t*>(&overlay) + sizeof overlay);
    } else if (key == "microTxn") {
      const std::string inner = member + "\".\"microTxn";
      MicroTxnAuthorizationResponse_t order{};
      for (const auto& [field, fieldValue] : Object(value, inner).items()) {
        if (field == "orderId") {
          order.m_ulOrderID = Unsigned(fieldValue, inner + "\".\"orderId", UINT64_MAX, "an unsigned 64-bit integer");
        } else if (field == "authorized") {
          order.m_bAuthorized = Boolean(fieldValue, inner + "\".\"authorized") ? 1 : 0;
        } else {
          Bad(inner + "\".\"" + field, "left out (it is not one of orderId, authorized)", fieldValue);
        }
      }
      callbackId = MicroTxnAuthorizationResponse_t::k_iCallback;
      data.assign(reinterpret_cast<uint8_t*>(&order), reinterpret_cast<uint8_t*>(&order) + sizeof order);
    } else if (key != "frame" && key != "after") {
      Bad(member + "\".\"" + key, "left out (it is not one of frame, after, overlay, microTxn)", value);
    }
  }
  if (callbackId == 0) Bad(member, "an event: \"overlay\" or \"microTxn\"", event);
  if (event.contains("frame") == event.contains("after")) Bad(member, "given a \"frame\" or an \"after\"", event);
  if (event.contains("frame")) {
    const int32_t frame = Int32(event["frame"], member + "\".\"frame", 1, "a frame number from 1");
    model.QueueRaw(callbackId, data.data(), data.size(), frame);
  } else {
    if (!event["after"].is_string()) Bad(member + "\".\"after", "a function's name", event["after"]);
    model.QueueAfterCall(event["after"].get<std::string>(), callbackId, data.data(), data.size());
  }
}

// Applies the parsed account; throws BadMember for a member it cannot take.
void Apply(const json& account, PlatformModel& model) {
  if (!account.is_object()) throw BadMember("the file is not one JSON object");
  std::string ticket = "prompt";
  int32_t ticketResult = k_EResultOK;
  for (const auto& [key, value] : account.items()) {
    if (key == "loggedOn") {
      model.SetLoggedOn(Boolean(value, key));
    } else if (key == "steamId") {
      model.SetSteamId(Unsigned(value, key, UINT64_MAX, "an unsigned 64-bit integer"));
    } else if (key == "appId") {
      model.SetAppId(static_cast<AppId_t>(Unsigned(value, key, UINT32_MAX, "an unsigned 32-bit integer")));
    } else if (key == "stats") {
      for (const auto& [name, stat] : Object(value, key).items()) ApplyStat(model, name, stat);
    } else if (key == "achievements") {
      for (const auto& [name, achieved] : Object(value, key).items())
        model.SetAchievement(name, Boolean(achieved, "achievements\".\"" + name));
    } else if (key == "ticketResponse") {
      ticket = value.is_string() ? value.get<std::string>() : "";
      if (ticket != "prompt" && ticket != "late" && ticket != "never") Bad(key, "\"prompt\", \"late\" or \"never\"", value);
    } else if (key == "ticketResult") {
      ticketResult = Int32(value, key, INT32_MIN, "a result number (1 is OK)");
    } else if (key == "statsReceivedResult") {
      model.SetStatsReceivedResult(static_cast<EResult>(Int32(value, key, INT32_MIN, "a result number (1 is OK)")));
    } else if (key == "refuseStore") {
      if (Boolean(value, key)) model.SetStoreStatsResults({false});
    } else if (key == "failStart") {
      if (Boolean(value, key)) model.SetStartSucceeds(false);
    } else if (key == "events") {
      if (!value.is_array()) Bad(key, "an array of events", value);
      for (std::size_t i = 0; i < value.size(); ++i) ApplyEvent(model, value[i], "events\"[" + std::to_string(i) + "]\"");
    } else {
      Bad(key, "left out: it is no member of the account file", value);
    }
  }
  const int pumps = ticket == "prompt" ? kPromptPumps : ticket == "late" ? kLatePumps : INT_MAX;
  model.SetTicketResponse(static_cast<EResult>(ticketResult), pumps);
}

// The start fails with `why` in the log and in the start's message.
void RefuseStart(PlatformModel& model, const std::string& why) {
  LogLine(why + " (starting as with no Steam client)");
  g_account = json::object();
  g_inUse = false;
  model.SetStartSucceeds(false);
  model.SetStartFailureMessage(why);
}

}  // namespace

void LoadAccountFileOnce(PlatformModel& model) {
  if (g_loaded) return;
  g_loaded = true;
  g_log = _wfopen((DllFolder() + L"steam_sim.log").c_str(), L"a");
  model.observer = &LogLine;
  const std::wstring path = AccountPath();
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    LogLine(std::string("account: the default player (no ") + kAccountName + " beside the stand-in)");
    return;
  }
  LogLine(std::string("account: ") + kAccountName);
  FILE* in = _wfopen(path.c_str(), L"rb");
  if (in == nullptr) return RefuseStart(model, std::string(kAccountName) + " could not be read");
  std::string text;
  char chunk[4096];
  for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, in)) > 0;) text.append(chunk, n);
  const bool readWhole = std::ferror(in) == 0;
  std::fclose(in);
  if (!readWhole) return RefuseStart(model, std::string(kAccountName) + " could not be read");
  g_inUse = true;
  model.storeAccepted = [&model] { SaveAccountFile(model); };
  try {
    g_account = json::parse(text);
    Apply(g_account, model);
  } catch (const std::exception& error) {
    RefuseStart(model, std::string(kAccountName) + " is malformed: " + error.what());
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
