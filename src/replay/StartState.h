// What a recorded game reads at its start that it did not make itself, and the one list of
// its fields: each line names a field, how far a file may take it, and where the game keeps
// it. The file is written and read, and the game captured and put back, from this list alone;
// a new field is a new line here and a new format version.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <type_traits>
#include <vector>

namespace brinecast::replay {

// The most a file may give a bounded field, and the fewest.
struct Bounds {
  int64_t least = 0;
  int64_t most = 0;
};

struct TimerStart {
  bool enabled = false;
  uint64_t due = 0;

  bool operator==(const TimerStart&) const = default;
};

// A bubble the last game left still rising (the rules let one rise on into the next game).
struct BubbleStart {
  bool cluster = false;  // the "Puziri" picture rather than "Puzir"
  double x = 0;
  double y = 0;
  uint16_t centreX = 0;
  uint8_t swing = 3;
  int8_t dir = +1;
  uint8_t rise = 1;

  bool operator==(const BubbleStart&) const = default;
};

struct StartState {
  uint64_t ticks = 0;   // the clock as the game started
  uint64_t random = 0;  // the generator's state
  uint8_t frameNo = 0;
  // The options that change play.
  bool soundOn = true;
  bool musicOn = true;
  bool sendOnline = true;
  std::array<TimerStart, 4> timers{};  // Timer1..Timer4
  bool frameEnabled = true;
  bool frameActiveOnly = true;
  uint32_t frameInterval = 16;
  uint64_t frameLast = 0;
  // What an earlier game leaves behind: the hook's load, a catch sound still owed, bubbles.
  uint8_t hookLoad = 0;
  bool catchSoundDue = false;
  std::vector<BubbleStart> bubbles;
  // Input held as the game started.
  std::vector<int32_t> heldKeys;
  uint64_t inputStates = 0;
  uint64_t inputPrevious = 0;
  bool mouseHeld = false;
  bool mouseStepLeft = false;
  bool mouseStepRight = false;
  int32_t lastMouseX = 0;
  int32_t keySum = 0;
  // Key releases the main loop still owes a closed message box.
  std::vector<int32_t> swallowedKeyUps;

  bool operator==(const StartState&) const = default;
};

// Key codes, and lists of keys or bubbles, as a file may hold them.
inline constexpr Bounds kKeyCode{0, 0xFFFF};
inline constexpr int64_t kListMost = 256;
// A pointer position, as bounded as the tape's: the game subtracts them.
inline constexpr Bounds kPointer{-(1 << 20), 1 << 20};
inline constexpr Bounds kFrameInterval{0, 60000};

// The list. visit(field, bounds, place): place(game) gives where the game keeps the field,
// either the variable itself or a go-between with Get() and Set(value) (the game's side
// defines those for what it keeps behind functions). Nothing here is instantiated until the
// game's side calls a place, so this list needs nothing of the game to be read or written.
template <class Start, class Visit>
requires std::same_as<std::remove_const_t<Start>, StartState>
void StartFields(Start& start, Visit&& visit) {
  visit(start.ticks, Bounds{}, [](auto& game) { return ClockOf(game); });
  visit(start.random, Bounds{}, [](auto& game) { return RandomOf(game); });
  visit(start.frameNo, Bounds{}, [](auto& game) { return FrameNoOf(game); });
  visit(
      start.soundOn, Bounds{}, [](auto& game) -> auto& { return game.Config.SoundOn; });
  visit(
      start.musicOn, Bounds{}, [](auto& game) -> auto& { return game.Config.MusicOn; });
  visit(
      start.sendOnline, Bounds{}, [](auto& game) -> auto& { return game.Config.SendOnline; });
  visit(start.timers, Bounds{}, [](auto& game) { return TimersOf(game); });
  visit(
      start.frameEnabled, Bounds{}, [](auto& game) -> auto& { return game.DXTimer1.Enabled; });
  visit(
      start.frameActiveOnly, Bounds{},
      [](auto& game) -> auto& { return game.DXTimer1.ActiveOnly; });
  visit(
      start.frameInterval, kFrameInterval,
      [](auto& game) -> auto& { return game.DXTimer1.Interval; });
  visit(
      start.frameLast, Bounds{}, [](auto& game) -> auto& { return game.DXTimer1.LastTime; });
  visit(
      start.hookLoad, Bounds{}, [](auto& game) -> auto& { return game.HookLoad; });
  visit(
      start.catchSoundDue, Bounds{}, [](auto& game) -> auto& { return game.CatchSoundDue; });
  visit(start.bubbles, Bounds{0, kListMost}, [](auto& game) { return BubblesOf(game); });
  visit(start.heldKeys, Bounds{0, kListMost}, [](auto& game) { return HeldKeysOf(game); });
  visit(start.inputStates, Bounds{}, [](auto& game) { return InputStatesOf(game, false); });
  visit(start.inputPrevious, Bounds{}, [](auto& game) { return InputStatesOf(game, true); });
  visit(
      start.mouseHeld, Bounds{}, [](auto& game) -> auto& { return game.MouseHeld; });
  visit(
      start.mouseStepLeft, Bounds{}, [](auto& game) -> auto& { return game.MouseStepLeft; });
  visit(
      start.mouseStepRight, Bounds{}, [](auto& game) -> auto& { return game.MouseStepRight; });
  visit(start.lastMouseX, kPointer, [](auto& game) { return LastMouseXOf(game); });
  visit(
      start.keySum, Bounds{}, [](auto& game) -> auto& { return game.KeySum; });
  visit(start.swallowedKeyUps, Bounds{0, kListMost},
        [](auto& game) { return SwallowedKeyUpsOf(game); });
}

// The fields of the start state's parts, in the same way (they are read and written only).
template <class Timer, class Visit>
requires std::same_as<std::remove_const_t<Timer>, TimerStart>
void PartFields(Timer& timer, Visit&& visit) {
  visit(timer.enabled, Bounds{});
  visit(timer.due, Bounds{});
}

template <class Bubble, class Visit>
requires std::same_as<std::remove_const_t<Bubble>, BubbleStart>
void PartFields(Bubble& bubble, Visit&& visit) {
  visit(bubble.cluster, Bounds{});
  visit(bubble.x, kPointer);
  visit(bubble.y, kPointer);
  visit(bubble.centreX, Bounds{});
  visit(bubble.swing, Bounds{});
  visit(bubble.dir, Bounds{-1, 1});
  visit(bubble.rise, Bounds{});
}

}  // namespace brinecast::replay
