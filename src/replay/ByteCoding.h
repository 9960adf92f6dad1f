// Little-endian varints and zigzag numbers for the recording file, with a reader that never
// reads past its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace brinecast::replay {

// A file that cannot be a recording: cut short, a field out of range, a wrong checksum.
struct DamagedRecording : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ByteWriter {
 public:
  void Byte(uint8_t value) { out_.push_back(value); }
  void Bool(bool value) { Byte(value ? 1 : 0); }
  void Unsigned(uint64_t value) {
    while (value >= 0x80U) {
      out_.push_back(static_cast<uint8_t>(value | 0x80U));
      value >>= 7U;
    }
    out_.push_back(static_cast<uint8_t>(value));
  }
  void Signed(int64_t value) {
    Unsigned((static_cast<uint64_t>(value) << 1U) ^ static_cast<uint64_t>(value >> 63));
  }
  void Fixed64(uint64_t value) {
    for (int i = 0; i < 8; ++i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Text(const std::string& text) {
    Unsigned(text.size());
    out_.insert(out_.end(), text.begin(), text.end());
  }
  void Bytes(std::span<const uint8_t> bytes) {
    Unsigned(bytes.size());
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }
  std::vector<uint8_t>& Out() { return out_; }
  const std::vector<uint8_t>& Out() const { return out_; }

 private:
  std::vector<uint8_t> out_;
};

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> in) : in_(in) {}

  bool AtEnd() const { return at_ == in_.size(); }
  size_t Position() const { return at_; }

  uint8_t Byte() {
    if (at_ >= in_.size()) throw DamagedRecording("the recording is cut short");
    return in_[at_++];
  }
  bool Bool() {
    const uint8_t value = Byte();
    if (value > 1) throw DamagedRecording("a yes-or-no field holds another value");
    return value == 1;
  }
  uint64_t Unsigned() {
    uint64_t value = 0;
    for (unsigned shift = 0; shift < 64; shift += 7) {
      const uint8_t byte = Byte();
      value |= static_cast<uint64_t>(byte & 0x7FU) << shift;
      if ((byte & 0x80U) == 0) return value;
    }
    throw DamagedRecording("a number runs on too long");
  }
  int64_t Signed() {
    const uint64_t raw = Unsigned();
    return static_cast<int64_t>((raw >> 1U) ^ (~(raw & 1U) + 1U));
  }
  uint64_t Fixed64() {
    uint64_t value = 0;
    for (int i = 0; i < 8; ++i) value |= static_cast<uint64_t>(Byte()) << (8 * i);
    return value;
  }
  // A number that must fit the field it fills.
  int64_t SignedIn(int64_t low, int64_t high) {
    const int64_t value = Signed();
    if (value < low || value > high) throw DamagedRecording("a field is out of its range");
    return value;
  }
  uint64_t UnsignedUpTo(uint64_t high) {
    const uint64_t value = Unsigned();
    if (value > high) throw DamagedRecording("a field is out of its range");
    return value;
  }
  std::string Text(size_t most) {
    const size_t size = Length(most);
    std::string text(reinterpret_cast<const char*>(in_.data() + at_), size);
    at_ += size;
    return text;
  }
  std::vector<uint8_t> Bytes(size_t most) {
    const size_t size = Length(most);
    std::vector<uint8_t> bytes(in_.begin() + static_cast<ptrdiff_t>(at_),
                               in_.begin() + static_cast<ptrdiff_t>(at_ + size));
    at_ += size;
    return bytes;
  }

 private:
  size_t Length(size_t most) {
    const uint64_t size = Unsigned();
    if (size > most || size > in_.size() - at_) {
      throw DamagedRecording("a field is longer than the recording allows");
    }
    return static_cast<size_t>(size);
  }

  std::span<const uint8_t> in_;
  size_t at_ = 0;
};

}  // namespace brinecast::replay
