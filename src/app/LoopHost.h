// What the main loop drives: the window's handlers, its timers and its frame, as an
// interface, so the loop can be tested with a recording host.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/Platform.h"

namespace brinecast {

class WindowTimer;
struct TDXTimer;

// What the main loop drives: the main window's handlers and its timers.
class LoopHost {
 public:
  virtual ~LoopHost() = default;
  virtual void HandleEvent(const PlatformEvent& event) = 0;
  // A key went down or up while its event went elsewhere (an open message box, a
  // request under way): what the game reads as held must still follow the keyboard.
  virtual void KeyHeld(int key, bool down) = 0;
  // The window timers in tie order (Timer1 first).
  virtual size_t TimerCount() const = 0;
  virtual WindowTimer& Timer(size_t index) = 0;
  virtual void TimerTick(size_t index) = 0;
  virtual TDXTimer& FrameTimer() = 0;
  virtual void Frame(uint32_t lagCount) = 0;
  // The application was told to terminate.
  virtual bool Terminated() const = 0;
};

}  // namespace brinecast
