#pragma once
// Every entry into a stand-in DLL (a platform export, a method of the
// stand-in client, a control) runs its body through Enter(): under the DLL's
// one lock, so that the model is used by one thread at a time, as the
// in-process simulator's is (the game may ask for a ticket on one thread
// while another pumps), and with every exception caught there, since none may
// leave an extern "C" function into the game. An entry that fails so answers
// as the platform refuses (false, 0, null, the empty text, a failed start)
// and writes a line naming itself and the fault to the log.
#include <exception>
#include <type_traits>

#include "steam/binding/steam_types.h"

namespace qz::sim {

// Holds the stand-in's lock while it lives. The lock is recursive: a pump
// delivers events to the game's handlers while holding it, and they may call
// the stand-in again on the same thread.
class EntryLock {
 public:
  EntryLock() noexcept;
  ~EntryLock();
  EntryLock(const EntryLock&) = delete;
  EntryLock& operator=(const EntryLock&) = delete;
};

// The log line (and debugger line) of an entry whose body threw.
void NoteFailedEntry(const char* entry, const std::exception_ptr& fault) noexcept;

template <class Body>
auto Enter(const char* entry, Body&& body) noexcept -> decltype(body()) {
  using Result = decltype(body());
  {
    EntryLock lock;
    try {
      return body();
    } catch (...) {
      NoteFailedEntry(entry, std::current_exception());
    }
  }
  if constexpr (std::is_same_v<Result, ESteamAPIInitResult>) {
    return k_ESteamAPIInitResult_FailedGeneric;
  } else if constexpr (std::is_same_v<Result, const char*>) {
    return "";
  } else if constexpr (!std::is_void_v<Result>) {
    return Result{};
  }
}

}  // namespace qz::sim
