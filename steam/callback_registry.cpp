#include "steam/callback_registry.h"

#include <cstddef>

#include "steam/steam_flat.h"

namespace qz::steam {
namespace {

struct Registered {
  CCallbackBase* object;
  int callbackId;
};

// A fixed list: the library registers its six objects once, inside
// QZSteam_Init, where running out of memory must not throw out of the export.
class RegisteredList {
 public:
  void Add(CCallbackBase* object, int callbackId) {
    if (count_ < kCapacity) items_[count_++] = {object, callbackId};
  }
  std::size_t size() const { return count_; }
  const Registered& operator[](std::size_t i) const { return items_[i]; }
  void Clear() { count_ = 0; }

 private:
  static constexpr std::size_t kCapacity = 32;
  Registered items_[kCapacity] = {};
  std::size_t count_ = 0;
};

RegisteredList& AllRegistered() {
  static RegisteredList registered;
  return registered;
}

RegisteredList& AwaitingLoad() {
  static RegisteredList awaiting;
  return awaiting;
}

}  // namespace

void RememberCallback(CCallbackBase* object, int callbackId) { AllRegistered().Add(object, callbackId); }

void AwaitLoad(CCallbackBase* object, int callbackId) { AwaitingLoad().Add(object, callbackId); }

void RegisterAwaitingCallbacks() {
  RegisteredList& awaiting = AwaitingLoad();
  for (std::size_t i = 0; i < awaiting.size(); ++i)
    SteamFlat().RegisterCallback(awaiting[i].object, awaiting[i].callbackId);
  awaiting.Clear();
}

void DeliverToRegistered(int callbackId, void* event) {
  // By index: a handler may register further objects.
  const RegisteredList& registered = AllRegistered();
  for (std::size_t i = 0; i < registered.size(); ++i) {
    if (registered[i].callbackId == callbackId) registered[i].object->Run(event);
  }
}

}  // namespace qz::steam
