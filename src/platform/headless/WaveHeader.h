// Reads the format and sample-data size of a RIFF WAVE file held in memory, enough to
// know how long a sound plays without decoding it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace brinecast {

struct WaveFormat {
  uint16_t channels = 0;
  uint32_t rate = 0;        // frames per second
  uint16_t bits = 0;        // per sample
  uint16_t blockAlign = 0;  // bytes per frame
  uint32_t dataBytes = 0;   // sample data present in the file
};

// The PCM format of the file, or nullopt when it is not a playable PCM WAVE file.
// Sample data declared beyond the end of the file is not counted.
std::optional<WaveFormat> ReadWaveHeader(const uint8_t* data, size_t size);

// How long the sound plays, in whole milliseconds rounded up.
uint64_t WaveLengthMs(const WaveFormat& format);

}  // namespace brinecast
