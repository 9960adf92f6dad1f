// Reading PCM out of a RIFF WAVE file: its chunks walked in order, the format checked, the
// samples widened to floats and mono doubled to both sides.
#include "platform/web/WaveDecoder.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

namespace brinecast {

namespace {

uint32_t Little(std::span<const uint8_t> bytes) {
  uint32_t value = 0;
  for (size_t i = bytes.size(); i-- > 0;) value = (value << 8) | bytes[i];
  return value;
}

// The body of the first chunk named id at or after the RIFF header, cut at the file's end.
std::optional<std::span<const uint8_t>> Chunk(std::span<const uint8_t> file, std::string_view id) {
  size_t at = 12;
  while (file.size() >= at + 8) {
    const auto header = file.subspan(at, 8);
    const size_t length = Little(header.subspan(4, 4));
    const size_t present = std::min(length, file.size() - at - 8);
    if (std::memcmp(header.data(), id.data(), 4) == 0) return file.subspan(at + 8, present);
    at += 8 + length + (length & 1U);
  }
  return std::nullopt;
}

float Sample(const uint8_t* p, int bits) {
  if (bits == 8) return (static_cast<int>(p[0]) - 128) / 128.0F;
  return static_cast<int16_t>(p[0] | (p[1] << 8)) / 32768.0F;
}

}  // namespace

std::optional<DecodedWave> DecodeWave(const uint8_t* data, size_t size) {
  if (data == nullptr || size < 12) return std::nullopt;
  const std::span<const uint8_t> file(data, size);
  if (std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "WAVE", 4) != 0) {
    return std::nullopt;
  }
  const auto format = Chunk(file, "fmt ");
  const auto samples = Chunk(file, "data");
  if (!format || !samples || format->size() < 16) return std::nullopt;
  const uint32_t tag = Little(format->subspan(0, 2));
  const uint32_t channels = Little(format->subspan(2, 2));
  const uint32_t rate = Little(format->subspan(4, 4));
  const uint32_t bits = Little(format->subspan(14, 2));
  if (tag != 1 || (channels != 1 && channels != 2) || (bits != 8 && bits != 16) || rate == 0) {
    return std::nullopt;
  }
  const size_t stride = channels * bits / 8;
  const size_t count = samples->size() / stride;
  DecodedWave wave;
  wave.rate = rate;
  wave.frames.reserve(count * 2);
  const int width = static_cast<int>(bits);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* frame = samples->data() + i * stride;
    const float left = Sample(frame, width);
    wave.frames.push_back(left);
    wave.frames.push_back(channels == 2 ? Sample(frame + bits / 8, width) : left);
  }
  return wave;
}

}  // namespace brinecast
