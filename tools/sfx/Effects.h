// The game's four sound effects, synthesised.
#pragma once

#include <string>
#include <vector>

#include "WaveFile.h"

namespace brinecast::synth {

struct NamedRecording {
  std::string name;  // the file is <name>.wav
  Recording recording;
};

// The game's four effects: "Up", "Poimal", "Level" and "Over".
std::vector<NamedRecording> MakeEffects();

}  // namespace brinecast::synth
