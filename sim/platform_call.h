#pragma once
#include <string>

namespace qz::sim {

// One platform call as steam_api.dll received it: the flat export's name and
// its arguments rendered as text, comma-separated, the interface handle left
// out (e.g. "SteamAPI_ISteamUserStats_SetStatInt32" with "KILL_ENEMY,10";
// floats with "%g"; booleans as 0/1; texts as they are; other pointers as
// "ptr", null pointers as "null").
struct PlatformCall {
  std::string function;
  std::string arguments;
};

}  // namespace qz::sim
