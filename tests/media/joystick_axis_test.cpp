// Tests of a joystick axis read as steering, with its dead zone around the middle.
#include <gtest/gtest.h>

#include <climits>

#include "media/JoystickAxis.h"

namespace brinecast {
namespace {

TEST(JoystickAxis, CentredOnTheRangesMiddleWithADeadZone) {
  struct Case {
    const char* name;
    int position;
    int minimum;
    int maximum;
    int dead;
    int reading;
  };
  const Case cases[] = {
      {"at rest", 0, -1000, 1000, 50, 0},
      {"40 % left", -400, -1000, 1000, 50, 0},
      {"60 % left", -600, -1000, 1000, 50, -200},
      {"60 % right", 600, -1000, 1000, 50, 200},
      {"edge of the dead zone", 500, -1000, 1000, 50, 0},
      {"just beyond it", 502, -1000, 1000, 50, 4},
      {"full left", -1000, -1000, 1000, 50, -1000},
      {"full right", 1000, -1000, 1000, 50, 1000},
      {"beyond the range is clamped", 5000, -1000, 1000, 50, 1000},
      {"zero-based range at rest", 32767, 0, 65535, 50, 0},
      {"zero-based range full", 65535, 0, 65535, 50, 1000},
      {"SDL's signed range at rest", 0, -32768, 32767, 50, 0},
      {"SDL's signed range full up", -32768, -32768, 32767, 50, -1000},
      {"no dead zone", 100, -1000, 1000, 0, 100},
      {"dead zone the whole range", 1000, -1000, 1000, 100, 0},
      {"empty range", 5, 5, 5, 50, 0},
      {"range of one", 1, 0, 1, 50, 0},
      {"inverted range", -1000, 1000, -1000, 50, 0},
      {"widest range", INT_MIN, INT_MIN, INT_MAX, 50, -1000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AxisReading(c.position, c.minimum, c.maximum, c.dead), c.reading) << c.name;
  }
}

}  // namespace
}  // namespace brinecast
