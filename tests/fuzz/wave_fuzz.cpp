// Any bytes must be refused or read as a sensible PCM format whose sample data lies within
// them, and a file one byte shorter must never read as holding more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "platform/headless/WaveHeader.h"

namespace {

// The smallest file that can hold sample data: the RIFF header, a 16-byte format chunk and
// the data chunk's own header.
constexpr size_t kSmallestHeaders = 12 + 8 + 16 + 8;

bool SameLayout(const brinecast::WaveFormat& a, const brinecast::WaveFormat& b) {
  return a.channels == b.channels && a.rate == b.rate && a.bits == b.bits &&
         a.blockAlign == b.blockAlign;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto format = brinecast::ReadWaveHeader(data, size);
  if (!format) return 0;
  if (size < kSmallestHeaders || format->dataBytes > size - kSmallestHeaders) std::abort();
  if (format->channels == 0 || format->rate == 0 || format->bits == 0 ||
      format->blockAlign != format->channels * ((format->bits + 7) / 8)) {
    std::abort();
  }
  // The length is the frames' duration rounded up to a whole millisecond.
  const uint64_t frames = format->dataBytes / format->blockAlign;
  const uint64_t ms = brinecast::WaveLengthMs(*format);
  if (ms * format->rate < frames * 1000 || (ms > 0 && (ms - 1) * format->rate >= frames * 1000)) {
    std::abort();
  }
  // Cutting the last byte can lose at most that byte of sample data.
  const auto shorter = brinecast::ReadWaveHeader(data, size - 1);
  if (shorter && (!SameLayout(*shorter, *format) || shorter->dataBytes > format->dataBytes ||
                  shorter->dataBytes + 1 < format->dataBytes)) {
    std::abort();
  }
  return 0;
}
