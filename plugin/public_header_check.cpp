// The public header beside the library's own declarations of its exports. A
// prototype of QZSteam.h that disagrees with what the library defines (an
// argument's or the result's type, the calling convention) is a conflicting
// declaration of a C function, so the plug-in does not build. Declarations
// only: nothing here becomes code.
#define QZSTEAM_NO_DLLIMPORT
#include "include/QZSteam.h"
#include "inspect/inspection_exports.h"
#include "plugin/engine_binding.h"
#include "steam/session/request_exports.h"
#include "steam/session/steam_exports.h"
