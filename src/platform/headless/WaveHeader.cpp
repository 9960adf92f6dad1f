// Reads the format and sample-data size of a RIFF WAVE file held in memory.
#include "platform/headless/WaveHeader.h"

#include <algorithm>
#include <cstring>

namespace brinecast {

namespace {

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

constexpr uint16_t kPcm = 1;
constexpr size_t kFmtMinimum = 16;

}  // namespace

std::optional<WaveFormat> ReadWaveHeader(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 12 || std::memcmp(data, "RIFF", 4) != 0 ||
      std::memcmp(data + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  WaveFormat format;
  bool haveFormat = false;
  bool haveData = false;
  size_t at = 12;
  // An odd last chunk may lack its pad byte, which puts the next chunk past the end.
  while (at <= size && size - at >= 8) {
    const uint8_t* chunk = data + at;
    const size_t declared = U32(chunk + 4);
    const size_t present = std::min(declared, size - at - 8);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (present < kFmtMinimum || U16(chunk + 8) != kPcm) return std::nullopt;
      format.channels = U16(chunk + 10);
      format.rate = U32(chunk + 12);
      format.blockAlign = U16(chunk + 20);
      format.bits = U16(chunk + 22);
      haveFormat = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      // The format must come first; sample data of an unknown format cannot be timed.
      if (!haveFormat) return std::nullopt;
      format.dataBytes = static_cast<uint32_t>(present);
      haveData = true;
      break;
    }
    if (declared > size - at - 8) return std::nullopt;
    at += 8 + declared + (declared & 1U);  // chunks are padded to even sizes
  }
  const bool sensible = format.channels > 0 && format.rate > 0 && format.bits > 0 &&
                        format.blockAlign == format.channels * ((format.bits + 7) / 8);
  if (!haveData || !sensible) return std::nullopt;
  return format;
}

uint64_t WaveLengthMs(const WaveFormat& format) {
  if (format.blockAlign == 0 || format.rate == 0) return 0;
  const uint64_t frames = format.dataBytes / format.blockAlign;
  return (frames * 1000 + format.rate - 1) / format.rate;
}

}  // namespace brinecast
