// Builds small RIFF WAVE files in memory for sound tests: silent PCM of a chosen
// format and length, and a way to add a chunk before the sample data.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brinecast::test {

inline void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

struct WaveSpec {
  uint16_t formatTag = 1;  // PCM
  uint16_t channels = 1;
  uint32_t rate = 1000;
  uint16_t bits = 8;
  uint32_t frames = 100;
  std::string extraChunk;  // a chunk of these bytes ("LIST") before the data, if set
  bool withData = true;
  uint32_t dataDeclaredExtra = 0;  // data bytes declared beyond those present
};

// PCM of the given layout with the other fields at their defaults.
inline WaveSpec Pcm(uint16_t channels, uint32_t rate, uint16_t bits, uint32_t frames) {
  WaveSpec spec;
  spec.channels = channels;
  spec.rate = rate;
  spec.bits = bits;
  spec.frames = frames;
  return spec;
}

inline WaveSpec With(WaveSpec spec, void (*change)(WaveSpec&)) {
  change(spec);
  return spec;
}

inline std::vector<uint8_t> MakeWave(const WaveSpec& spec) {
  const uint16_t blockAlign = static_cast<uint16_t>(spec.channels * ((spec.bits + 7) / 8));
  std::vector<uint8_t> body;
  for (char c : std::string("WAVEfmt ")) body.push_back(static_cast<uint8_t>(c));
  Put32(body, 16);
  Put16(body, spec.formatTag);
  Put16(body, spec.channels);
  Put32(body, spec.rate);
  Put32(body, spec.rate * blockAlign);
  Put16(body, blockAlign);
  Put16(body, spec.bits);
  if (!spec.extraChunk.empty()) {
    for (char c : std::string("LIST")) body.push_back(static_cast<uint8_t>(c));
    Put32(body, static_cast<uint32_t>(spec.extraChunk.size()));
    for (char c : spec.extraChunk) body.push_back(static_cast<uint8_t>(c));
    if (spec.extraChunk.size() % 2 != 0) body.push_back(0);
  }
  if (spec.withData) {
    const uint32_t bytes = spec.frames * blockAlign;
    for (char c : std::string("data")) body.push_back(static_cast<uint8_t>(c));
    Put32(body, bytes + spec.dataDeclaredExtra);
    // Silence: 8-bit samples rest at 128, wider ones at 0.
    body.insert(body.end(), bytes, spec.bits == 8 ? 128 : 0);
  }
  std::vector<uint8_t> file;
  for (char c : std::string("RIFF")) file.push_back(static_cast<uint8_t>(c));
  Put32(file, static_cast<uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

}  // namespace brinecast::test
