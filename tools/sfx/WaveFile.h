// PCM recordings and the WAVE files they are stored as.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast::synth {

// A PCM recording: one vector of -1..1 samples per channel, all the same length.
struct Recording {
  int rate = 22050;
  int bits = 16;  // 8 (unsigned) or 16 (signed)
  std::vector<std::vector<double>> channels;
};

// The complete RIFF WAVE file for a recording.
std::vector<uint8_t> EncodeWave(const Recording& recording);

// Writes bytes to path; throws std::runtime_error when the file cannot be written.
void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace brinecast::synth
