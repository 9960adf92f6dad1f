// The shared 256-entry cosine table of byte angles.
#include "engine/CosTable.h"

#include <array>
#include <cmath>
#include <numbers>

namespace brinecast {

namespace {

const std::array<double, 256>& Table() {
  static const std::array<double, 256> table = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = std::cos(i * 2.0 * std::numbers::pi / 256.0);
    return t;
  }();
  return table;
}

}  // namespace

double Cos256(int angle) {
  return Table()[static_cast<unsigned>(angle) & 255u];
}

}  // namespace brinecast
