#include "steam/session/start_diagnostics.h"

#include <cstdio>
#include <string_view>

#include "platform/text.h"
#include "platform/win_seam.h"

namespace qz::steam {
namespace {

// Room for the platform's message (up to 1023 bytes) and the fixed words.
constexpr std::size_t kLineSize = 1280;

}  // namespace

void ReportLoadFailure(const LoadFailure& failure) {
  char line[kLineSize];
  if (failure.dllMissing) {
    char error[text::kDecimalSize + 1];
    error[text::WriteDecimal(failure.systemError, error)] = '\0';
    std::snprintf(line, sizeof line, "QZSteam: steam_api.dll could not be loaded (system error %s)\n", error);
  } else {
    std::snprintf(line, sizeof line, "QZSteam: steam_api.dll is a release the library cannot use: it lacks %s\n",
                  failure.firstMissing != nullptr ? failure.firstMissing : "a function it needs");
  }
  win::Api().outputDebugStringA(line);
}

void ReportStartFailure(const SteamStart& start) {
  // SteamAPI_Init answers a bool, the newer start functions a result code.
  char answer[text::kDecimalSize + 1] = "false";
  if (start.function == nullptr || std::string_view(start.function) != "SteamAPI_Init")
    answer[text::WriteDecimal(start.result, answer)] = '\0';
  char line[kLineSize];
  std::snprintf(line, sizeof line, "QZSteam: the Steam platform did not start: %s answered %s%s%s%s\n",
                start.function != nullptr ? start.function : "the start", answer, start.message[0] ? " (" : "",
                start.message, start.message[0] ? ")" : "");
  win::Api().outputDebugStringA(line);
}

}  // namespace qz::steam
