#pragma once
// How the simulated platform reaches a registered callback object, as
// steam_api.dll does: it owns the object's flags and id once registered, asks
// the object for its event size, and hands each event to Run(void*).
namespace qz::sim {

// Sets the object's callback id and its registered flag.
void MarkRegistered(void* object, int callbackId);
// The object's GetCallbackSizeBytes().
int CallbackSizeBytes(void* object);
// The object's Run(void* param): vtable slot 1.
void RunCallback(void* object, void* param);
// The object's flags and callback id fields as they are now.
int CallbackFlags(void* object);
int CallbackIdField(void* object);

}  // namespace qz::sim
