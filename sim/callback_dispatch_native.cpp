// Natively the objects are the library's own CCallbackBase objects, compiled
// by the same compiler: reach them through their declared members.
#include "sim/callback_dispatch.h"

#include "steam/binding/steam_callback.h"

namespace qz::sim {

void MarkRegistered(void* object, int callbackId) {
  auto* callback = static_cast<CCallbackBase*>(object);
  callback->m_nCallbackFlags |= CCallbackBase::k_ECallbackFlagsRegistered;
  callback->m_iCallback = callbackId;
}

int CallbackSizeBytes(void* object) { return static_cast<CCallbackBase*>(object)->GetCallbackSizeBytes(); }

void RunCallback(void* object, void* param) { static_cast<CCallbackBase*>(object)->Run(param); }

int CallbackFlags(void* object) { return static_cast<CCallbackBase*>(object)->GetFlags(); }

int CallbackIdField(void* object) { return static_cast<CCallbackBase*>(object)->GetICallback(); }

}  // namespace qz::sim
