// Turns a RIFF WAVE file held in memory into stereo samples the browser's mixer can play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace brinecast {

// A sound ready to mix: interleaved left/right samples in -1..1 at its own rate.
struct DecodedWave {
  uint32_t rate = 0;
  std::vector<float> frames;  // 2 floats a frame

  size_t FrameCount() const { return frames.size() / 2; }
};

// The sound of a PCM WAVE file (8-bit unsigned or 16-bit signed, mono or stereo, any rate), or
// nullopt for anything else. A data chunk declared longer than the file plays what is there.
std::optional<DecodedWave> DecodeWave(const uint8_t* data, size_t size);

}  // namespace brinecast
