// brinecast-sfx OUTPUT_FOLDER: synthesises the game's four sound effects as WAV files.
#include <exception>
#include <iostream>

#include "Effects.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: brinecast-sfx OUTPUT_FOLDER\n";
    return 2;
  }
  try {
    for (const auto& effect : brinecast::synth::MakeEffects()) {
      brinecast::synth::WriteFile(std::string(argv[1]) + "/" + effect.name + ".wav",
                                  brinecast::synth::EncodeWave(effect.recording));
    }
  } catch (const std::exception& e) {
    std::cerr << "brinecast-sfx: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
