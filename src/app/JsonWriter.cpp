// JsonWriter: commas between values, strings escaped as JSON wants them.
#include "app/JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace brinecast {
namespace {

// A decimal d.ddd x 10^exponent with its digits as text, no sign.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

// The closest decimal of `count` significant digits to |value|, as printf rounds it.
Decimal Rounded(double value, int count) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*e", count - 1, std::fabs(value));
  Decimal decimal;
  for (const char* c = text; *c != 'e'; ++c)
    if (*c != '.') decimal.digits += *c;
  decimal.exponent = std::atoi(std::strchr(text, 'e') + 1);
  return decimal;
}

// The neighbour of `decimal` one unit in its last digit up or down, same digit count.
Decimal Step(Decimal decimal, bool up) {
  std::string& d = decimal.digits;
  std::size_t i = d.size();
  while (i > 0 && d[i - 1] == (up ? '9' : '0')) d[--i] = up ? '0' : '9';
  if (i == 0) {
    // 9.99 up is 1.00 a decade higher; 1.00 down is 9.99 a decade lower.
    d.insert(d.begin(), '1');
    d.pop_back();
    ++decimal.exponent;
    return decimal;
  }
  d[i - 1] = static_cast<char>(d[i - 1] + (up ? 1 : -1));
  if (d[0] == '0') {
    d.erase(d.begin());
    d.push_back('9');
    --decimal.exponent;
  }
  return decimal;
}

double Read(const Decimal& decimal) {
  const std::string text =
      decimal.digits + "e" +
      std::to_string(decimal.exponent - static_cast<int>(decimal.digits.size()) + 1);
  return std::strtod(text.c_str(), nullptr);
}

// The fewest significant digits that read back as |value|, the closest such decimal
// when two do.
Decimal Shortest(double value) {
  const double magnitude = std::fabs(value);
  for (int count = 1;; ++count) {
    const Decimal closest = Rounded(magnitude, count);
    const double back = Read(closest);
    if (back == magnitude || count == 17) return closest;
    const Decimal other = Step(closest, back < magnitude);
    if (Read(other) == magnitude) return other;
  }
}

// A finite number in plain positional notation with the fewest characters that read back
// as the same double: what the standard library's shortest fixed conversion writes, which
// not every standard library offers.
std::string ShortestFixed(double value) {
  std::string out = std::signbit(value) ? "-" : "";
  if (std::fabs(value) >= 9007199254740992.0) {
    // Every double this large is an integer, and its exact digits are never longer than
    // the shortest ones padded with zeros.
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", std::fabs(value));
    return out + text;
  }
  Decimal decimal = Shortest(value);
  while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
  const int count = static_cast<int>(decimal.digits.size());
  const int e = decimal.exponent;
  if (e < 0)
    return out + "0." + std::string(static_cast<std::size_t>(-e - 1), '0') + decimal.digits;
  if (e >= count - 1)
    return out + decimal.digits + std::string(static_cast<std::size_t>(e - count + 1), '0');
  return out + decimal.digits.substr(0, static_cast<std::size_t>(e) + 1) + "." +
         decimal.digits.substr(static_cast<std::size_t>(e) + 1);
}

}  // namespace

void JsonWriter::Separate() {
  if (needComma_) out_ += ',';
  needComma_ = true;
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ += '{';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  out_ += '}';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ += '[';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  out_ += ']';
  needComma_ = true;
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  String(key);
  out_ += ':';
  needComma_ = false;
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Separate();
  out_ += "null";
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  Separate();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Int(int64_t value) {
  Separate();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Number(double value) {
  // JSON has no infinities or NaN.
  if (!std::isfinite(value)) return Null();
  Separate();
  out_ += ShortestFixed(value);
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view value) {
  Separate();
  static constexpr char kHex[] = "0123456789abcdef";
  out_ += '"';
  for (char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      out_ += "\\u00";
      out_ += kHex[byte >> 4U];
      out_ += kHex[byte & 15U];
    } else {
      out_ += c;
    }
  }
  out_ += '"';
  return *this;
}

}  // namespace brinecast
