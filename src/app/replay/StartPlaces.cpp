// The go-betweens of the start state's fields that the game keeps behind functions.
#include "app/replay/StartPlaces.h"

#include "app/TForm1.h"
#include "objects/Puzir.h"

namespace brinecast {

StartPlace<uint64_t> ClockOf(TForm1& form) {
  // The tape starts the replay's clock where the game started: nothing to put back.
  return {[&form] { return form.Host().Ticks(); }, [](uint64_t) {}};
}

StartPlace<uint64_t> RandomOf(TForm1& form) {
  return {[&form] { return form.RandomState(); },
          [&form](uint64_t state) { form.RestoreRandom(state); }};
}

StartPlace<uint8_t> FrameNoOf(TForm1& form) {
  return {[&form] { return form.FrameNo(); },
          [&form](uint8_t frameNo) { form.RestoreFrameNo(frameNo); }};
}

StartPlace<std::array<replay::TimerStart, 4>> TimersOf(TForm1& form) {
  return {[&form] {
            std::array<replay::TimerStart, 4> timers{};
            const auto places = form.WindowTimers();
            for (size_t i = 0; i < timers.size(); ++i) {
              timers[i] = {places[i]->Enabled(), places[i]->Due()};
            }
            return timers;
          },
          [&form](const std::array<replay::TimerStart, 4>& timers) {
            const auto places = form.WindowTimers();
            for (size_t i = 0; i < timers.size(); ++i) {
              places[i]->Restore(timers[i].enabled, timers[i].due);
            }
          }};
}

StartPlace<std::vector<replay::BubbleStart>> BubblesOf(TForm1& form) {
  return {[&form] {
            std::vector<replay::BubbleStart> bubbles;
            for (const TSprite* sprite : form.DXSpriteEngine1().Engine().DrawOrder()) {
              const auto* bubble = dynamic_cast<const TPuzir*>(sprite);
              if (bubble == nullptr || bubble->IsDead()) continue;
              bubbles.push_back({bubble->Cluster(), bubble->X, bubble->Y, bubble->CentreX,
                                 bubble->Swing, bubble->Dir, bubble->Rise});
            }
            return bubbles;
          },
          [&form](const std::vector<replay::BubbleStart>& bubbles) {
            // The draw order puts the latest placed first: placing them last to first keeps it.
            for (auto it = bubbles.rbegin(); it != bubbles.rend(); ++it) {
              const replay::BubbleStart& start = *it;
              auto* bubble = new TPuzir(&form.DXSpriteEngine1().Engine(), start.cluster);
              bubble->X = start.x;
              bubble->Y = start.y;
              bubble->CentreX = start.centreX;
              bubble->Swing = start.swing;
              bubble->Dir = start.dir;
              bubble->Rise = start.rise;
            }
          }};
}

StartPlace<std::vector<int32_t>> HeldKeysOf(TForm1& form) {
  return {[&form] {
            const InputMemory input = form.DXInput1().Memory();
            return std::vector<int32_t>(input.held.begin(), input.held.end());
          },
          [&form](const std::vector<int32_t>& keys) {
            InputMemory input = form.DXInput1().Memory();
            input.held = {keys.begin(), keys.end()};
            form.DXInput1().Restore(input);
          }};
}

StartPlace<uint64_t> InputStatesOf(TForm1& form, bool previous) {
  return {[&form, previous] {
            const InputMemory input = form.DXInput1().Memory();
            return previous ? input.previous : input.states;
          },
          [&form, previous](uint64_t states) {
            InputMemory input = form.DXInput1().Memory();
            (previous ? input.previous : input.states) = states;
            form.DXInput1().Restore(input);
          }};
}

StartPlace<int32_t> LastMouseXOf(TForm1& form) {
  return {[&form] { return form.LastMouseX(); }, [&form](int32_t x) { form.RestoreLastMouseX(x); }};
}

StartPlace<std::vector<int32_t>> SwallowedKeyUpsOf(TForm1& form) {
  return {[&form] {
            const std::vector<int>& keys = form.Loop().SwallowedKeyUps();
            return std::vector<int32_t>(keys.begin(), keys.end());
          },
          [&form](const std::vector<int32_t>& keys) {
            form.Loop().RestoreSwallowedKeyUps({keys.begin(), keys.end()});
          }};
}

}  // namespace brinecast
