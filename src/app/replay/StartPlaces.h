// Where the game keeps the start-state fields it holds behind functions: each gives a
// go-between that reads the field from the game and puts it back. The start state's list
// finds these by the game's type.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "replay/StartState.h"

namespace brinecast {

class TForm1;

template <class T>
struct StartPlace {
  std::function<T()> Get;
  std::function<void(const T&)> Set;
};

StartPlace<uint64_t> ClockOf(TForm1& form);
StartPlace<uint64_t> RandomOf(TForm1& form);
StartPlace<uint8_t> FrameNoOf(TForm1& form);
StartPlace<std::array<replay::TimerStart, 4>> TimersOf(TForm1& form);
StartPlace<std::vector<replay::BubbleStart>> BubblesOf(TForm1& form);
StartPlace<std::vector<int32_t>> HeldKeysOf(TForm1& form);
StartPlace<uint64_t> InputStatesOf(TForm1& form, bool previous);
StartPlace<int32_t> LastMouseXOf(TForm1& form);
StartPlace<std::vector<int32_t>> SwallowedKeyUpsOf(TForm1& form);

}  // namespace brinecast
