#pragma once
// A callback object of the kind the session holds, registered at construction,
// that keeps a copy of every event delivered to it.
#include <vector>

#include "steam/steam_callback.h"
#include "steam/steam_client.h"

template <class P>
class EventRecorder {
 public:
  EventRecorder() { callback.Register(this, &EventRecorder::On); }
  void On(P* event) { events.push_back(*event); }

  std::vector<P> events;
  CCallback<EventRecorder, P, false> callback;
};
