// The text score of a piece of music as parsed: instruments, patterns of notes and their order.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "XmModule.h"

namespace brinecast::xm {

// How to synthesise one instrument: a kind ("pluck", "pad", "reed", "bell", "kick",
// "snare", "hat") and its settings.
struct InstrumentRecipe {
  std::string name;
  std::string kind;
  std::map<std::string, std::string> settings;
};

// A parsed score: the module without its instruments, and how to make them.
struct Score {
  Module module;
  std::vector<InstrumentRecipe> instruments;
};

// A mistake in a score, with its line number in the message.
class ScoreError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a text score (the format is described at the top of each score in
// assets/music/). Throws ScoreError.
Score ParseScore(std::string_view text);

// XM note number (49 = C-4) for a name like "c4", "F#3" or "bb2"; 0 if it is no note.
int ParseNote(std::string_view name);

}  // namespace brinecast::xm
