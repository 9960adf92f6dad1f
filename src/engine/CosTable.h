// Cosine and sine of byte angles (256ths of a turn) from one shared table.
#pragma once

namespace brinecast {

// Angles are bytes in 256ths of a full turn. One shared table of
// cos(i * 2 * pi / 256); any int is taken modulo 256.
double Cos256(int angle);

// The sine is read from the same table, a quarter turn back.
inline double Sin256(int angle) {
  return Cos256((angle & 255) + 192);
}

}  // namespace brinecast
