#pragma once
// The Steam platform simulator in-process: one PlatformModel for the whole
// process, and Install(), which fills the Steam seam with functions that
// forward to it as steam_api.dll's exports would, so that the unit tests drive
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

// The kinds of steam_api.dll release the binding tells apart.
enum class Release {
  k148To160,  // versioned accessors, RequestCurrentStats
  k161On,     // versioned accessors, no RequestCurrentStats
  k137To147,  // no accessors: the interfaces come from SteamClient()
};

// Fills qz::steam::SteamFlat() with the simulator's functions, as a DLL of
// that kind of release exports them.
void Install(Release release = Release::k148To160);

// Puts the platform back to its starting script, stopped, with an empty call
// log and event queue. The registrations stay: the library registers once
// per process.
void Reset();

}  // namespace qz::sim
