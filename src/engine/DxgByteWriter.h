// The little-endian writer of archive and bitmap bytes.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace brinecast {

// Little-endian byte builder for archives and bitmaps.
class DxgByteWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) { Little(v, 2); }
  void U32(uint32_t v) { Little(v, 4); }
  void I32(int32_t v) { Little(static_cast<uint32_t>(v), 4); }
  void Bytes(std::span<const uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  void Chars(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); }
  // One length byte, then the characters (at most 255 of them).
  void ShortString(std::string_view s) {
    s = s.substr(0, 255);
    U8(static_cast<uint8_t>(s.size()));
    Chars(s);
  }
  size_t Size() const { return bytes_.size(); }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  void Little(uint32_t v, int count) {
    for (int i = 0; i < count; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

}  // namespace brinecast
