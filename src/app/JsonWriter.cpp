// JsonWriter: commas between values, strings escaped as JSON wants them.
#include "app/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace brinecast {

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
  char buffer[400];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  out_.append(buffer, result.ptr);
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
