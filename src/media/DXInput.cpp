#include "media/DXInput.h"

#include "platform/Platform.h"

namespace brinecast {

TDXInput::TDXInput(Platform& platform) : platform_(platform) {}
void TDXInput::KeyDown(int key) {
  held_.insert(key);
}
void TDXInput::KeyUp(int key) {
  held_.erase(key);
}
void TDXInput::ReleaseAll() {
  held_.clear();
}
void TDXInput::Update() {}
bool TDXInput::Has(InputState state) const {
  return (states_ >> static_cast<int>(state)) & 1U;
}
bool TDXInput::HasButton(int n) const {
  return n >= 1 && n <= 32 && ((states_ >> (3 + n)) & 1U);
}

}  // namespace brinecast
