// The stand-in Steam client: a steamclient.dll that Valve's real steam_api.dll
// starts against (a test host names it in the registry), serving the platform
// model through the interfaces the real DLL asks for. Every version of every
// interface gets an MSVC-shaped object: a vtable whose slots come from the
// platform function lists (the __thiscall entries forward to the model) and
// whose every other slot is a trap that names its interface and slot and ends
// the process, so a wrong table names itself instead of crashing elsewhere.
// Events reach the real DLL through Steam_BGetCallback, which it polls at
// every SteamAPI_RunCallbacks.
#include <windows.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <utility>

#include "sim/account_file.h"
#include "sim/stand_in_entry.h"
#include "sim/stand_in_model.h"

namespace qz::sim {
namespace {

using steam::InterfaceId;
using steam::kAbsent;
using steam::R;
using steam::S;
using steam::Slot;

// The methods of the client itself and of the interfaces that only
// steam_api.dll calls; the rest is the platform model.
class ClientModel : public PlatformModel {
 public:
  // The DLL makes two pipes and connects the user on the first.
  HSteamPipe CreateSteamPipe() { return ++pipes_; }
  bool BReleaseSteamPipe(HSteamPipe pipe) { return pipe > 0 && pipe <= pipes_; }
  // The session starts when the user connects and ends when it is released;
  // in the log they stand as the library's start and shutdown.
  HSteamUser ConnectToGlobalUser(HSteamPipe pipe) {
    userPipe_ = pipe;
    return Init() ? kUser : 0;
  }
  void ReleaseUser(HSteamPipe, HSteamUser) {
    Shutdown();
    outgoing_.clear();
  }
  bool BShutdownIfAllPipesClosed() {
    pipes_ = 0;
    return true;
  }
  void Hook(void*) {}
  // The utils' frame runs once per SteamAPI_RunCallbacks, before the DLL
  // polls for callbacks: a pump of the platform.
  void RunFrame() {
    for (DueEvent& event : Pump()) outgoing_.push_back(std::move(event));
  }
  void DeviceFrame() {}
  bool ShutdownSurface() { return true; }

  // CallbackMsg_t as steam_api.dll reads it.
  struct CallbackMessage {
    HSteamUser user;
    int32_t callbackId;
    uint8_t* param;
    int32_t size;
  };
  bool NextCallback(HSteamPipe pipe, CallbackMessage* message) {
    if (pipe != userPipe_ || outgoing_.empty() || message == nullptr) return false;
    current_ = std::move(outgoing_.front());
    outgoing_.pop_front();
    *message = {kUser, current_.callbackId, current_.data.data(), static_cast<int32_t>(current_.data.size())};
    if (observer) observer("event " + std::to_string(current_.callbackId) + " delivered to steam_api.dll");
    return true;
  }
  void FreeLastCallback() { current_ = DueEvent{}; }

 private:
  HSteamPipe pipes_ = 0, userPipe_ = 0;
  std::deque<DueEvent> outgoing_;
  DueEvent current_{};
};

ClientModel& Client() {
  static ClientModel model;
  return model;
}

// What steam_api.dll holds: a pointer to an object whose first word is its
// vtable.
constexpr int kSlotCount = 128;
struct InterfaceObject {
  void* const* vtable;
  const char* version;
};

[[noreturn]] void TrapFired(const char* version, int slot) {
  char line[160];
  std::snprintf(line, sizeof line, "trap: %s slot %d is not implemented by the stand-in client", version, slot);
  if (Client().observer) Client().observer(line);
  std::fprintf(stderr, "steamclient.dll: %s\n", line);
  std::fflush(nullptr);
  // Nothing more of this process can be trusted: the caller's stack is not
  // what it expects.
  TerminateProcess(GetCurrentProcess(), 3);
  for (;;) {
  }
}

template <int Slot>
void __thiscall Trap(InterfaceObject* self) {
  TrapFired(self->version, Slot);
}

template <int... Slots>
std::array<void*, kSlotCount> AllTraps(std::integer_sequence<int, Slots...>) {
  return {reinterpret_cast<void*>(&Trap<Slots>)...};
}

// The __thiscall entries of one row: with every parameter, with the first K
// (an older version had fewer), or writing the result through a hidden
// pointer (MSVC returns CSteamID so).
template <class Row, class Fn = decltype(&Row::Call)>
struct Thunks;
template <class Row, class Ret, class Self, class... A>
struct Thunks<Row, Ret (*)(Self*, A...)> {
  static Ret __thiscall All(void*, A... a) { return Row::Call(nullptr, a...); }
  static Ret* __thiscall Hidden(void*, Ret* out, A... a) {
    *out = Row::Call(nullptr, a...);
    return out;
  }
  template <class Kept>
  struct Prefix;
  template <std::size_t... I>
  struct Prefix<std::index_sequence<I...>> {
    static Ret __thiscall Call(void*, std::tuple_element_t<I, std::tuple<A...>>... kept) {
      std::tuple<A...> all{};
      ((std::get<I>(all) = kept), ...);
      return std::apply([](A... a) { return Row::Call(nullptr, a...); }, all);
    }
  };
};

template <class Row, std::size_t Column>
void* EntryOf() {
  constexpr Slot slot = Row::kSlots[Column];
  if constexpr (slot.hiddenReturn) {
    return reinterpret_cast<void*>(&Thunks<Row>::Hidden);
  } else if constexpr (slot.args < 0) {
    return reinterpret_cast<void*>(&Thunks<Row>::All);
  } else {
    return reinterpret_cast<void*>(&Thunks<Row>::template Prefix<std::make_index_sequence<slot.args>>::Call);
  }
}

// One struct per row: its interface, its slot in each version and the call
// its entries make (under the stand-in's lock, every exception caught).
#define QZ_CLIENT_ROW(use, iface, method, ret, params, call, exports, slots)          \
  struct iface##_##method##_Row {                                                     \
    static constexpr InterfaceId kInterface = InterfaceId::iface;                     \
    static constexpr Slot kSlots[] = {QZ_STEAM_UNPAREN slots};                        \
    static ret Call params { return Enter(#iface "::" #method, [&] { return Client().call; }); } \
  };
QZ_STEAM_METHODS(QZ_CLIENT_ROW)
#undef QZ_CLIENT_ROW

// Every object the client hands out: one per listed version, and one of
// traps only for any other version steam_api.dll asks for.
class Objects {
 public:
  Objects() {
#define QZ_ADD_VERSIONS(iface, handle, versions)                             \
  {                                                                          \
    std::size_t column = 0;                                                  \
    for (const char* version : {QZ_STEAM_UNPAREN versions}) {                \
      Add(version).column = {InterfaceId::iface, column++};                  \
    }                                                                        \
  }
    QZ_STEAM_INTERFACES(QZ_ADD_VERSIONS)
#undef QZ_ADD_VERSIONS
#define QZ_PLACE_ROW(use, iface, method, ...) \
  Place<iface##_##method##_Row>(std::make_index_sequence<std::size(iface##_##method##_Row::kSlots)>{});
    QZ_STEAM_METHODS(QZ_PLACE_ROW)
#undef QZ_PLACE_ROW
  }

  InterfaceObject* Find(const char* version) {
    if (version == nullptr) return nullptr;
    auto found = byName_.find(version);
    return found != byName_.end() ? &found->second->object : &Add(version).object;
  }

 private:
  struct Entry {
    InterfaceObject object;
    std::array<void*, kSlotCount> vtable;
    std::string name;
    // The interface and slot column of a listed version; none for another.
    std::pair<InterfaceId, std::size_t> column{InterfaceId::Client, SIZE_MAX};
  };

  Entry& Add(const char* version) {
    auto entry = std::make_unique<Entry>();
    entry->name = version;
    entry->vtable = AllTraps(std::make_integer_sequence<int, kSlotCount>{});
    entry->object = {entry->vtable.data(), entry->name.c_str()};
    Entry& added = *entry;
    byName_[added.name] = std::move(entry);
    return added;
  }

  Entry& At(InterfaceId id, std::size_t column) {
    for (auto& [name, entry] : byName_) {
      if (entry->column == std::make_pair(id, column)) return *entry;
    }
    TrapFired("(a column without a version)", static_cast<int>(column));
  }

  template <class Row, std::size_t... Columns>
  void Place(std::index_sequence<Columns...>) {
    (PlaceOne<Row, Columns>(), ...);
  }
  template <class Row, std::size_t Column>
  void PlaceOne() {
    constexpr Slot slot = Row::kSlots[Column];
    static_assert(slot.index < kSlotCount, "a slot past the vtables' size");
    if constexpr (slot.index >= 0) At(Row::kInterface, Column).vtable[slot.index] = EntryOf<Row, Column>();
  }

  std::map<std::string, std::unique_ptr<Entry>> byName_;
};

Objects& AllObjects() {
  static Objects objects;
  return objects;
}

// The model with the account file read in, and the client's interfaces
// resolved by version.
ClientModel& StartingClient() {
  ClientModel& model = Client();
  static const bool ready = [&model] {
    LoadAccountFileOnce(model);
    model.interfaceFor = [](const char* version) -> void* { return AllObjects().Find(version); };
    return true;
  }();
  (void)ready;
  return model;
}

}  // namespace

PlatformModel& StandInModel() { return Client(); }

}  // namespace qz::sim

using qz::sim::InterfaceId;

// The client's own exports, cdecl as steam_api.dll calls them.
extern "C" void* __cdecl CreateInterface(const char* version, int* returnCode) {
  if (returnCode != nullptr) *returnCode = 1;
  return qz::sim::Enter("CreateInterface", [&]() -> void* {
    qz::sim::ClientModel& model = qz::sim::StartingClient();
    InterfaceId which{};
    const bool client = qz::sim::PlatformModel::InterfaceOfVersion(version, &which) && which == InterfaceId::Client;
    // Without a client (the start fails) the real DLL finds none to talk to.
    void* object = client && !model.StartSucceeds() ? nullptr : qz::sim::AllObjects().Find(version);
    if (model.observer) model.observer(std::string("CreateInterface(") + (version ? version : "null") + ")");
    if (returnCode != nullptr) *returnCode = object != nullptr ? 0 : 1;
    return object;
  });
}

extern "C" bool __cdecl Steam_BGetCallback(HSteamPipe pipe, qz::sim::ClientModel::CallbackMessage* message) {
  return qz::sim::Enter("Steam_BGetCallback", [&] { return qz::sim::Client().NextCallback(pipe, message); });
}

extern "C" void __cdecl Steam_FreeLastCallback(HSteamPipe) {
  qz::sim::Enter("Steam_FreeLastCallback", [] { qz::sim::Client().FreeLastCallback(); });
}

// The library makes no call whose result it waits for.
extern "C" bool __cdecl Steam_GetAPICallResult(HSteamPipe, SteamAPICall_t, void*, int, int, bool* failed) {
  if (failed != nullptr) *failed = true;
  return false;
}

// Every version gets an object (traps only where it is not listed).
extern "C" bool __cdecl Steam_IsKnownInterface(const char*) { return true; }
