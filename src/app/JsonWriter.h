// A small writer of one-line JSON, for the simulator's snapshots.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace brinecast {

// Builds one line of JSON. The caller writes keys in its own order; commas
// are placed here.
class JsonWriter {
 public:
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view key);
  JsonWriter& Null();
  JsonWriter& Bool(bool value);
  JsonWriter& Int(int64_t value);
  // Shortest plain decimal that reads back as the same double.
  JsonWriter& Number(double value);
  // Bytes of the game's single-byte texts: ASCII as is, the rest as \u00XX.
  JsonWriter& String(std::string_view value);

  const std::string& Text() const { return out_; }

 private:
  void Separate();

  std::string out_;
  bool needComma_ = false;
};

}  // namespace brinecast
