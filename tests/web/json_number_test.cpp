// The game's JSON numbers are written by its own shortest-decimal code (the web build's
// standard library lacks the floating-point conversion); they must be the very characters
// the standard library's shortest fixed conversion writes.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "app/JsonWriter.h"

namespace brinecast {
namespace {

std::string Library(double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return std::string(buffer, result.ptr);
}

std::string Ours(double value) {
  JsonWriter json;
  json.Number(value);
  return json.Text();
}

TEST(JsonNumber, WritesWhatTheStandardLibraryWritesForHardCases) {
  const double cases[] = {0.0,
                          -0.0,
                          1.0,
                          -2.5,
                          0.1,
                          0.3,
                          1.0 / 3.0,
                          2.0 / 3.0,
                          123.456,
                          1e-7,
                          5e-324,
                          2.2250738585072014e-308,
                          9007199254740991.0,
                          9007199254740992.0,
                          9007199254740993.0,
                          1e15,
                          1e16,
                          1e17,
                          1e21,
                          1e22,
                          1e23,
                          5e-1,
                          9.5,
                          0.95,
                          99.99999999999999,
                          999999999999999.9,
                          std::numeric_limits<double>::max(),
                          std::numeric_limits<double>::min(),
                          std::nextafter(1.0, 2.0),
                          std::nextafter(1.0, 0.0),
                          std::nextafter(1024.0, 0.0),
                          std::ldexp(1.0, 60),
                          std::ldexp(1.0, -60),
                          -37.25,
                          400.000000001};
  for (double value : cases) EXPECT_EQ(Ours(value), Library(value)) << std::hexfloat << value;
}

TEST(JsonNumber, WritesWhatTheStandardLibraryWritesForManyValues) {
  std::mt19937_64 bits(20260101);
  std::uniform_real_distribution<double> play(-2000.0, 2000.0);
  for (int i = 0; i < 50000; ++i) {
    // Positions as the game has them, and any finite double at all.
    const double near = play(bits);
    const double any = std::bit_cast<double>(bits());
    ASSERT_EQ(Ours(near), Library(near)) << std::hexfloat << near;
    if (std::isfinite(any)) {
      ASSERT_EQ(Ours(any), Library(any)) << std::hexfloat << any;
    }
    const double eighths = std::round(near * 8.0) / 8.0;
    ASSERT_EQ(Ours(eighths), Library(eighths)) << std::hexfloat << eighths;
  }
}

TEST(JsonNumber, NonFiniteValuesAreNull) {
  for (double value :
       {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
        std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(Ours(value), "null");
}

}  // namespace
}  // namespace brinecast
