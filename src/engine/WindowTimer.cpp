// WindowTimer: enabling, disabling and stepping a timer past the periods it missed.
#include "engine/WindowTimer.h"

#include "platform/Platform.h"

namespace brinecast {

void WindowTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) due_ = platform_.Ticks() + interval_;
}

void WindowTimer::Advance(uint64_t now) {
  if (interval_ == 0) {
    due_ = now + 1;
    return;
  }
  if (due_ > now) return;
  const uint64_t missed = (now - due_) / interval_;
  due_ += (missed + 1) * interval_;
}

}  // namespace brinecast
