#pragma once
// The Steam platform simulator in-process: one PlatformModel for the whole
// process, and Install(), which binds the Steam seam to functions that forward
// to it as a release's steam_api.dll is bound, so that the unit tests drive
// the real session code against it. The same model is built as a stand-in
// steam_api.dll for the Windows tests and the demo.
//
// The tests script and read the model itself (platform_model.h):
//   qz::sim::Platform()->SetStat("VERSION", 1);
// Every use goes through Platform(), which holds the simulator's lock until
// the end of the statement, so the game's thread may ask for a ticket while
// another thread pumps. The lock is recursive: a pump delivers events to
// handlers that call the platform again on the same thread. Keep a
// LockedModel no longer than one statement, since while it lives every other
// thread's platform call waits; the references the model hands out (Calls(),
// Registrations()) are read once the other threads are done.
#include <mutex>

#include "sim/platform_model.h"

namespace qz::sim {

// The model of this process, with the simulator's lock held while this lives.
class LockedModel {
 public:
  LockedModel();
  PlatformModel* operator->() const;
  PlatformModel& operator*() const;

 private:
  std::lock_guard<std::recursive_mutex> lock_;
};

inline LockedModel Platform() { return {}; }

// Fills qz::steam::SteamFlat() as the runtime binding fills it from the real
// steam_api.dll of `release` (a list of data/steam_api/exports/, e.g. "1.37"):
// BindExports over that release's export names, each name the simulator's
// function for the row that lists it.
void Install(const char* release = "1.60");

// Puts the platform back to its starting script, stopped, with an empty call
// log and event queue. The registrations stay: the library registers once
// per process.
void Reset();

}  // namespace qz::sim
