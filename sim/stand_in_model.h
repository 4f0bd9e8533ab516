#pragma once
// The one simulated platform inside the stand-in steam_api.dll.
#include "sim/platform_model.h"

namespace qz::sim {

PlatformModel& StandInModel();

}  // namespace qz::sim
