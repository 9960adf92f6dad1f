// Writing recordings as RIFF WAVE files.
#include "WaveFile.h"

#include <cmath>
#include <fstream>
#include <stdexcept>

#include "Synth.h"

namespace brinecast::synth {

namespace {
void Put16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(static_cast<uint8_t>(v & 0xFF));
  out.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}
void PutTag(std::vector<uint8_t>& out, const char* tag) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(tag[i]));
}
}  // namespace

std::vector<uint8_t> EncodeWave(const Recording& recording) {
  const size_t channelCount = recording.channels.size();
  if (channelCount == 0 || channelCount > 2) throw std::invalid_argument("1 or 2 channels");
  if (recording.bits != 8 && recording.bits != 16) throw std::invalid_argument("8 or 16 bits");
  const size_t frames = recording.channels[0].size();
  for (const auto& channel : recording.channels) {
    if (channel.size() != frames) throw std::invalid_argument("channels differ in length");
  }
  const uint32_t blockAlign = static_cast<uint32_t>(channelCount * recording.bits / 8);
  const uint32_t dataSize = static_cast<uint32_t>(frames * blockAlign);

  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  // A chunk of odd size is followed by a pad byte that the RIFF size counts.
  Put32(out, 36 + dataSize + (dataSize & 1));
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, static_cast<uint32_t>(channelCount));
  Put32(out, static_cast<uint32_t>(recording.rate));
  Put32(out, static_cast<uint32_t>(recording.rate) * blockAlign);
  Put16(out, blockAlign);
  Put16(out, static_cast<uint32_t>(recording.bits));
  PutTag(out, "data");
  Put32(out, dataSize);
  for (size_t i = 0; i < frames; ++i) {
    for (const auto& channel : recording.channels) {
      if (recording.bits == 16) {
        Put16(out, static_cast<uint16_t>(ToPcm16(channel[i])));
      } else {
        const double v = std::round(channel[i] * 127.0) + 128.0;
        out.push_back(static_cast<uint8_t>(v < 0 ? 0 : (v > 255 ? 255 : v)));
      }
    }
  }
  if (dataSize & 1) out.push_back(0);
  return out;
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace brinecast::synth
