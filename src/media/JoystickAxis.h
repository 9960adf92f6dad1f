// How one joystick axis position becomes a reading: centred on the middle of its
// range, a dead zone around the centre, and the rest scaled to -1000..1000.
#pragma once

namespace brinecast {

constexpr int kAxisRange = 1000;      // a reading's full deflection
constexpr int kDeadZonePercent = 50;  // of the half range, around the centre

// The reading of position on an axis running from minimum to maximum. A range no
// wider than its dead zone (or an inverted one) always reads as centred.
int AxisReading(int position, int minimum, int maximum, int deadZonePercent);

}  // namespace brinecast
