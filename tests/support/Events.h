// Short ways for the tests to make key and pointer events for the headless platform.
#pragma once

#include "platform/Platform.h"

namespace brinecast::testing {

inline PlatformEvent Key(PlatformEvent::Kind kind, int key) {
  PlatformEvent event;
  event.kind = kind;
  event.key = key;
  return event;
}

inline PlatformEvent At(PlatformEvent::Kind kind, int x = 0, int y = 0) {
  PlatformEvent event;
  event.kind = kind;
  event.x = x;
  event.y = y;
  return event;
}

}  // namespace brinecast::testing
