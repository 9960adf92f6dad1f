// One joystick axis position turned into a -1000..1000 reading with a dead zone.
#include "media/JoystickAxis.h"

#include <algorithm>
#include <cstdint>

namespace brinecast {

int AxisReading(int position, int minimum, int maximum, int deadZonePercent) {
  // Wide arithmetic: a full int range must not overflow.
  const int64_t half = (static_cast<int64_t>(maximum) - minimum) / 2;
  const int64_t dead = std::clamp<int64_t>(deadZonePercent, 0, 100) * half / 100;
  if (half - dead <= 0) return 0;
  const int64_t value = position - (minimum + half);
  if (value >= -dead && value <= dead) return 0;
  const int64_t beyond = value > 0 ? value - dead : value + dead;
  return static_cast<int>(
      std::clamp<int64_t>(beyond * kAxisRange / (half - dead), -kAxisRange, kAxisRange));
}

}  // namespace brinecast
