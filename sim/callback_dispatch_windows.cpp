// As the 32-bit steam_api.dll reaches a registered object: as raw memory laid
// out by MSVC (vtable pointer at 0, flags byte at 4, callback id at 8) and
// through __thiscall functions taken from the vtable by slot number. No C++
// virtual call is made, so the tests that run this prove the library's layout.
#include "sim/callback_dispatch.h"

#include <cstdint>
#include <cstring>

namespace qz::sim {
namespace {

constexpr int kFlagsOffset = 4;
constexpr int kCallbackIdOffset = 8;
constexpr int kRunSlot = 1;
constexpr int kSizeSlot = 2;
constexpr uint8_t kRegistered = 0x01;

using RunFunction = void(__thiscall*)(void* self, void* param);
using SizeFunction = int(__thiscall*)(void* self);

void* Slot(void* object, int slot) {
  void** vtable = nullptr;
  std::memcpy(&vtable, object, sizeof vtable);
  return vtable[slot];
}

}  // namespace

void MarkRegistered(void* object, int callbackId) {
  auto* bytes = static_cast<uint8_t*>(object);
  bytes[kFlagsOffset] |= kRegistered;
  std::memcpy(bytes + kCallbackIdOffset, &callbackId, sizeof callbackId);
}

int CallbackSizeBytes(void* object) { return reinterpret_cast<SizeFunction>(Slot(object, kSizeSlot))(object); }

void RunCallback(void* object, void* param) { reinterpret_cast<RunFunction>(Slot(object, kRunSlot))(object, param); }

int CallbackFlags(void* object) { return static_cast<const uint8_t*>(object)[kFlagsOffset]; }

int CallbackIdField(void* object) {
  int32_t id = 0;
  std::memcpy(&id, static_cast<const uint8_t*>(object) + kCallbackIdOffset, sizeof id);
  return id;
}

}  // namespace qz::sim
