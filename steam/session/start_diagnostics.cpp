#include "steam/session/start_diagnostics.h"

#include <cstdio>
#include <string_view>

#include "platform/win_seam.h"

namespace qz::steam {
namespace {

// Room for the platform's message (up to 1023 bytes) and the fixed words.
constexpr std::size_t kLineSize = 1280;

}  // namespace

void ReportLoadFailure(const LoadFailure& failure) {
  char line[kLineSize];
  if (failure.dllMissing) {
    std::snprintf(line, sizeof line, "QZSteam: steam_api.dll could not be loaded (system error %lu)\n",
                  static_cast<unsigned long>(failure.systemError));
  } else {
    std::snprintf(line, sizeof line, "QZSteam: steam_api.dll is a release the library cannot use: it lacks %s\n",
                  failure.firstMissing != nullptr ? failure.firstMissing : "a function it needs");
  }
  win::Api().outputDebugStringA(line);
}

void ReportStartFailure(const SteamStart& start) {
  char answer[16];
  if (start.function != nullptr && std::string_view(start.function) == "SteamAPI_Init") {
    std::snprintf(answer, sizeof answer, "false");
  } else {
    std::snprintf(answer, sizeof answer, "%ld", static_cast<long>(start.result));
  }
  char line[kLineSize];
  std::snprintf(line, sizeof line, "QZSteam: the Steam platform did not start: %s answered %s%s%s%s\n",
                start.function != nullptr ? start.function : "the start", answer, start.message[0] ? " (" : "",
                start.message, start.message[0] ? ")" : "");
  win::Api().outputDebugStringA(line);
}

}  // namespace qz::steam
