// Not compiled: sim/CMakeLists.txt runs the preprocessor over this file at
// configure time to learn the names the stand-ins export, each after a marker:
// qz_stand_in_export for steam_api_exports.cpp's, qz_control_export for
// control_exports.cpp's.
#include "sim/control_functions.h"
#include "steam/binding/platform_functions.h"

#define QZ_NAME(context, name) qz_stand_in_export name
#define QZ_FLAT_NAMES(name, ret, params, call, exports) QZ_STEAM_FOR_EACH(QZ_NAME, , QZ_STEAM_UNPAREN exports)
#define QZ_METHOD_NAMES(use, iface, method, ret, params, call, exports, slots) \
  QZ_STEAM_IF_LIBRARY(use, QZ_STEAM_FOR_EACH(QZ_NAME, , QZ_STEAM_UNPAREN exports))
QZ_STEAM_FLAT_FUNCTIONS(QZ_FLAT_NAMES)
QZ_STEAM_METHODS(QZ_METHOD_NAMES)
#define QZ_CONTROL_NAME(name, ret, params, args, call) qz_control_export QZSim_##name
QZ_SIM_CONTROLS(QZ_CONTROL_NAME)
