// The checked little-endian reader of archive and bitmap bytes.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>

#include "engine/EngineError.h"

namespace brinecast {

// Little-endian cursor over a byte span. Every read is checked against what remains,
// and a short read throws EngineError with the owner's message, so a damaged file can
// never take a read outside its bytes.
class DxgByteReader {
 public:
  DxgByteReader(std::span<const uint8_t> bytes, const char* error)
      : data_(bytes.data()), size_(bytes.size()), error_(error) {}

  size_t Position() const { return pos_; }
  size_t Remaining() const { return size_ - pos_; }
  bool AtEnd() const { return pos_ == size_; }

  [[noreturn]] void Fail() const { throw EngineError(error_); }

  void Need(uint64_t count) const {
    if (count > Remaining()) Fail();
  }
  void Seek(size_t pos) {
    if (pos > size_) Fail();
    pos_ = pos;
  }
  void Skip(uint64_t count) {
    Need(count);
    pos_ += static_cast<size_t>(count);
  }

  uint8_t U8() {
    Need(1);
    return data_[pos_++];
  }
  uint16_t U16() { return static_cast<uint16_t>(Little(2)); }
  uint32_t U32() { return static_cast<uint32_t>(Little(4)); }
  uint64_t U64() { return Little(8); }
  int8_t I8() { return static_cast<int8_t>(U8()); }
  int16_t I16() { return static_cast<int16_t>(U16()); }
  int32_t I32() { return static_cast<int32_t>(U32()); }

  // A view of the next `count` bytes, consumed.
  std::span<const uint8_t> Bytes(uint64_t count) {
    Need(count);
    std::span<const uint8_t> out(data_ + pos_, static_cast<size_t>(count));
    pos_ += static_cast<size_t>(count);
    return out;
  }
  std::string_view Chars(uint64_t count) {
    auto bytes = Bytes(count);
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
  }
  // One length byte, then that many characters.
  std::string_view ShortString() { return Chars(U8()); }

 private:
  uint64_t Little(int count) {
    Need(static_cast<uint64_t>(count));
    uint64_t value = 0;
    for (int i = count - 1; i >= 0; --i)
      value = (value << 8) | data_[pos_ + static_cast<size_t>(i)];
    pos_ += static_cast<size_t>(count);
    return value;
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  const char* error_;
};

}  // namespace brinecast
