// brinecast-xm SCORE OUTPUT: turns a text score into an XM module.
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Instruments.h"
#include "Score.h"
#include "XmWriter.h"
#include "sfx/WaveFile.h"

int main(int argc, char** argv) {
  using namespace brinecast;
  if (argc != 3) {
    std::cerr << "usage: brinecast-xm SCORE OUTPUT\n";
    return 2;
  }
  try {
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + std::string(argv[1]));
    std::ostringstream text;
    text << in.rdbuf();
    xm::Score score = xm::ParseScore(text.str());
    for (const auto& recipe : score.instruments) {
      score.module.instruments.push_back(xm::BuildInstrument(recipe, score.module.bpm));
    }
    synth::WriteFile(argv[2], xm::EncodeXm(score.module));
  } catch (const std::exception& e) {
    std::cerr << "brinecast-xm: " << argv[1] << ": " << e.what() << "\n";
    return 1;
  }
  return 0;
}
