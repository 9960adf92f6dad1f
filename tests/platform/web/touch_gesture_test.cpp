// A finger as the pointer: drags move, a rest holds the left button, a tap clicks, and only the
// first finger counts.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/web/TouchGesture.h"

namespace brinecast {
namespace {

struct Step {
  char action;  // b = begin, m = move, e = end, c = cancel, t = tick
  int finger;
  int x;
  int y;
  uint64_t at;
};

// The events of a run of steps as "kind@x,y" words.
std::string Replay(const std::vector<Step>& steps) {
  TouchGesture touch;
  std::string said;
  for (const Step& s : steps) {
    std::vector<PlatformEvent> events;
    switch (s.action) {
      case 'b':
        events = touch.Begin(s.finger, s.x, s.y, s.at);
        break;
      case 'm':
        events = touch.Move(s.finger, s.x, s.y, s.at);
        break;
      case 'e':
        events = touch.End(s.finger, s.x, s.y, s.at);
        break;
      case 'c':
        events = touch.Cancel(s.finger);
        break;
      default:
        events = touch.Tick(s.at);
        break;
    }
    for (const PlatformEvent& e : events) {
      using Kind = PlatformEvent::Kind;
      const char* kind = e.kind == Kind::MouseMove   ? "move"
                         : e.kind == Kind::MouseDown ? "down"
                         : e.kind == Kind::MouseUp   ? "up"
                         : e.kind == Kind::Click     ? "click"
                                                     : "other";
      if (e.kind != Kind::MouseMove && e.button != MouseButton::Left) said += "!";
      said += std::string(kind) + "@" + std::to_string(e.x) + "," + std::to_string(e.y) + " ";
    }
  }
  return said;
}

TEST(TouchGesture, FollowsTheRulesOfTheFinger) {
  const uint64_t hold = TouchGesture::kHoldMs;
  const int slop = TouchGesture::kSlop;
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"a quick tap clicks where it lands",
       {{'b', 1, 100, 200, 0}, {'e', 1, 101, 201, 50}},
       "move@100,200 move@101,201 down@101,201 up@101,201 click@101,201 "},
      {"a drag moves the boat and never clicks",
       {{'b', 1, 100, 200, 0}, {'m', 1, 200, 200, 40}, {'e', 1, 300, 200, 80}},
       "move@100,200 move@200,200 move@300,200 "},
      {"resting holds the button until the finger lifts",
       {{'b', 1, 100, 200, 0},
        {'t', 0, 0, 0, hold - 1},
        {'t', 0, 0, 0, hold},
        {'e', 1, 100, 200, 900}},
       "move@100,200 down@100,200 move@100,200 up@100,200 "},
      {"small wobbles are still a rest",
       {{'b', 1, 100, 200, 0}, {'m', 1, 100 + slop, 200 - slop, 100}, {'t', 0, 0, 0, hold}},
       "move@100,200 move@112,188 down@112,188 "},
      {"a rest after a drag holds, and the held finger still steers",
       {{'b', 1, 100, 200, 0},
        {'m', 1, 150, 200, 100},
        {'t', 0, 0, 0, hold},
        {'t', 0, 0, 0, 100 + hold},
        {'m', 1, 400, 200, 500},
        {'e', 1, 400, 200, 600}},
       "move@100,200 move@150,200 down@150,200 move@400,200 move@400,200 up@400,200 "},
      {"a hold that came due is pressed before a late move",
       {{'b', 1, 10, 10, 0}, {'m', 1, 10, 60, hold + 50}},
       "move@10,10 down@10,10 move@10,60 "},
      {"a second finger is ignored",
       {{'b', 1, 100, 200, 0},
        {'b', 2, 500, 500, 10},
        {'m', 2, 600, 500, 20},
        {'e', 2, 600, 500, 30},
        {'e', 1, 100, 200, 40}},
       "move@100,200 move@100,200 down@100,200 up@100,200 click@100,200 "},
      {"a cancelled hold lets the button go without a click",
       {{'b', 1, 100, 200, 0}, {'t', 0, 0, 0, hold}, {'c', 1, 0, 0, 0}, {'e', 1, 100, 200, 900}},
       "move@100,200 down@100,200 up@100,200 "},
      {"a cancelled tap says nothing more",
       {{'b', 1, 100, 200, 0}, {'c', 1, 0, 0, 0}, {'t', 0, 0, 0, 2 * hold}},
       "move@100,200 "},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Replay(c.steps), c.expected) << c.name;
  }
}

TEST(TouchGesture, DeadlineOnlyWhileAFingerRests) {
  TouchGesture touch;
  EXPECT_FALSE(touch.NextDeadline().has_value());
  touch.Begin(3, 5, 5, 1000);
  EXPECT_EQ(touch.NextDeadline(), 1000 + TouchGesture::kHoldMs);
  touch.Move(3, 100, 5, 1100);
  EXPECT_EQ(touch.NextDeadline(), 1100 + TouchGesture::kHoldMs);
  touch.Tick(1100 + TouchGesture::kHoldMs);
  EXPECT_FALSE(touch.NextDeadline().has_value());
  touch.End(3, 100, 5, 2000);
  EXPECT_FALSE(touch.NextDeadline().has_value());
}

}  // namespace
}  // namespace brinecast
