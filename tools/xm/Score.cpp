// Reading the text scores of the game's music: instruments, patterns of notes and the order.
#include "Score.h"

#include <cctype>
#include <charconv>
#include <optional>
#include <sstream>

namespace brinecast::xm {

namespace {

std::vector<std::string> Words(std::string_view line) {
  std::vector<std::string> words;
  std::istringstream in{std::string(line)};
  std::string word;
  while (in >> word) words.push_back(word);
  return words;
}

std::optional<int> ParseInt(std::string_view text) {
  int value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

struct Drum {
  int instrument;  // 1-based
  int note;
};

// One expanded event of a track before it is laid onto rows.
struct Event {
  enum class Kind { Note, Rest, Off } kind = Kind::Rest;
  int note = 0;
  int instrument = 0;  // 0: the track's own
  int rows = 1;
  int volume = -1;
};

class Parser {
 public:
  Score Run(std::string_view text) {
    size_t start = 0;
    while (start <= text.size()) {
      size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      ++line_;
      Statement(text.substr(start, end - start));
      start = end + 1;
    }
    FinishPattern();
    if (score_.module.orders.empty()) Fail("no order list");
    if (score_.module.restart >= static_cast<int>(score_.module.orders.size())) {
      Fail("restart lies past the order list");
    }
    return std::move(score_);
  }

 private:
  [[noreturn]] void Fail(const std::string& message) const {
    throw ScoreError("line " + std::to_string(line_) + ": " + message);
  }

  int Number(const std::string& word, int low, int high) const {
    const auto value = ParseInt(word);
    if (!value || *value < low || *value > high) {
      Fail("expected a number " + std::to_string(low) + ".." + std::to_string(high) + ", got '" +
           word + "'");
    }
    return *value;
  }

  int InstrumentIndex(const std::string& name) const {
    for (size_t i = 0; i < score_.instruments.size(); ++i) {
      if (score_.instruments[i].name == name) return static_cast<int>(i) + 1;
    }
    Fail("unknown instrument '" + name + "'");
  }

  void Statement(std::string_view raw) {
    // '#' also spells sharps: only a '#' at the start or after a space begins a comment.
    size_t cut = std::string_view::npos;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(raw[i - 1])))) {
        cut = i;
        break;
      }
    }
    const std::string_view line = raw.substr(0, cut);
    const auto words = Words(line);
    if (words.empty()) return;
    const std::string& head = words[0];
    Module& m = score_.module;
    if (head == "title") {
      m.name = std::string(line.substr(line.find("title") + 5));
      const size_t first = m.name.find_first_not_of(" \t");
      m.name = first == std::string::npos ? "" : m.name.substr(first);
    } else if (head == "speed" && words.size() == 2) {
      m.speed = Number(words[1], 1, 31);
    } else if (head == "bpm" && words.size() == 2) {
      m.bpm = Number(words[1], 32, 255);
    } else if (head == "channels" && words.size() == 2) {
      if (!patterns_.empty()) Fail("channels must come before the first pattern");
      m.channels = Number(words[1], 1, 32);
      pans_.resize(static_cast<size_t>(m.channels), -1);
    } else if (head == "restart" && words.size() == 2) {
      m.restart = Number(words[1], 0, 255);
    } else if (head == "pan" && words.size() == 3) {
      const int channel = Number(words[1], 1, m.channels);
      pans_.resize(static_cast<size_t>(m.channels), -1);
      pans_[static_cast<size_t>(channel - 1)] = Number(words[2], 0, 255);
    } else if (head == "instrument" && words.size() >= 3) {
      InstrumentRecipe recipe{words[1], words[2], {}};
      for (size_t i = 3; i < words.size(); ++i) {
        const size_t eq = words[i].find('=');
        if (eq == std::string::npos) Fail("expected key=value, got '" + words[i] + "'");
        recipe.settings[words[i].substr(0, eq)] = words[i].substr(eq + 1);
      }
      for (const auto& other : score_.instruments) {
        if (other.name == recipe.name) Fail("instrument '" + recipe.name + "' defined twice");
      }
      score_.instruments.push_back(recipe);
    } else if (head == "drum" && words.size() == 4) {
      if (ParseNote(words[1]) != 0 || words[1].find_first_of(":@*$.-") != std::string::npos) {
        Fail("drum name '" + words[1] + "' reads as a note or holds a token's marks");
      }
      const int note = ParseNote(words[3]);
      if (note == 0) Fail("bad drum note '" + words[3] + "'");
      drums_[words[1]] = {InstrumentIndex(words[2]), note};
    } else if (head == "phrase" && words.size() >= 2) {
      phrases_[words[1]] = std::vector<std::string>(words.begin() + 2, words.end());
    } else if (head == "pattern" && words.size() == 3) {
      FinishPattern();
      if (patternIndex_.count(words[1])) Fail("pattern '" + words[1] + "' defined twice");
      patternIndex_[words[1]] = static_cast<int>(patterns_.size());
      patterns_.push_back({words[1], Number(words[2], 1, 256), {}});
      open_ = true;
    } else if (head == "order") {
      FinishPattern();
      for (size_t i = 1; i < words.size(); ++i) {
        auto it = patternIndex_.find(words[i]);
        if (it == patternIndex_.end()) Fail("order names unknown pattern '" + words[i] + "'");
        m.orders.push_back(static_cast<uint8_t>(it->second));
      }
    } else if (ParseInt(head) && words.size() >= 2 && words[1].back() == ':') {
      Track(words);
    } else {
      Fail("cannot read '" + std::string(line) + "'");
    }
  }

  // Expands one token (a phrase, a repeat) into events.
  void Expand(const std::string& token, int transpose, int depth, std::vector<Event>& out) {
    if (depth > 8) Fail("phrases nest too deeply at '" + token + "'");
    std::string body = token;
    int repeat = 1;
    if (const size_t star = body.find('*'); star != std::string::npos) {
      repeat = Number(body.substr(star + 1), 1, 256);
      body = body.substr(0, star);
    }
    for (int r = 0; r < repeat; ++r) {
      if (body.starts_with("$")) {
        std::string name = body.substr(1);
        int shift = 0;
        if (const size_t sign = name.find_first_of("+-"); sign != std::string::npos) {
          shift = Number(name.substr(sign + (name[sign] == '+' ? 1 : 0)), -48, 48);
          name = name.substr(0, sign);
        }
        auto it = phrases_.find(name);
        if (it == phrases_.end()) Fail("unknown phrase '" + name + "'");
        for (const auto& inner : it->second) Expand(inner, transpose + shift, depth + 1, out);
      } else {
        out.push_back(Single(body, transpose));
      }
    }
  }

  Event Single(std::string token, int transpose) {
    Event e;
    e.rows = 0;
    if (const size_t at = token.find('@'); at != std::string::npos) {
      e.volume = Number(token.substr(at + 1), 0, 64);
      token = token.substr(0, at);
    }
    if (const size_t colon = token.find(':'); colon != std::string::npos) {
      e.rows = Number(token.substr(colon + 1), 1, 256);
      token = token.substr(0, colon);
    }
    if (token == ".") {
      e.kind = Event::Kind::Rest;
    } else if (token == "-") {
      e.kind = Event::Kind::Off;
    } else if (auto drum = drums_.find(token); drum != drums_.end()) {
      e.kind = Event::Kind::Note;
      e.instrument = drum->second.instrument;
      e.note = drum->second.note;
    } else if (const int note = ParseNote(token); note != 0) {
      e.kind = Event::Kind::Note;
      e.note = note + transpose;
      if (e.note < 1 || e.note > 96) Fail("note '" + token + "' transposed out of range");
    } else {
      Fail("cannot read token '" + token + "'");
    }
    return e;
  }

  void Track(const std::vector<std::string>& words) {
    if (!open_) Fail("a track outside a pattern");
    const int channel = Number(words[0], 1, score_.module.channels);
    const int instrument = InstrumentIndex(words[1].substr(0, words[1].size() - 1));
    auto& pattern = patterns_.back();
    auto& track = pattern.tracks[channel];
    for (size_t i = 2; i < words.size(); ++i) {
      std::vector<Event> events;
      Expand(words[i], 0, 0, events);
      for (Event e : events) {
        if (e.rows == 0) e.rows = track.lastRows;
        track.lastRows = e.rows;
        if (e.instrument == 0) e.instrument = instrument;
        track.events.push_back(e);
      }
    }
  }

  void FinishPattern() {
    if (!open_) return;
    open_ = false;
    Module& m = score_.module;
    const auto& source = patterns_.back();
    Pattern p;
    p.rows = source.rows;
    p.cells.resize(static_cast<size_t>(p.rows * m.channels));
    for (const auto& [channel, track] : source.tracks) {
      int row = 0;
      for (const Event& e : track.events) {
        if (row >= p.rows) {
          row += e.rows;
          continue;
        }
        Cell& cell = p.cells[static_cast<size_t>(row * m.channels + channel - 1)];
        if (e.kind == Event::Kind::Note) {
          cell.note = static_cast<uint8_t>(e.note);
          cell.instrument = static_cast<uint8_t>(e.instrument);
          const int pan = pans_.empty() ? -1 : pans_[static_cast<size_t>(channel - 1)];
          if (pan >= 0) {
            cell.effect = 0x08;
            cell.param = static_cast<uint8_t>(pan);
          }
        } else if (e.kind == Event::Kind::Off) {
          cell.note = kKeyOff;
        }
        if (e.volume >= 0) cell.volume = static_cast<uint8_t>(0x10 + e.volume);
        row += e.rows;
      }
      if (row != p.rows) {
        Fail("pattern '" + source.name + "' channel " + std::to_string(channel) + " fills " +
             std::to_string(row) + " of " + std::to_string(p.rows) + " rows");
      }
    }
    m.patterns.push_back(std::move(p));
  }

  struct TrackSource {
    std::vector<Event> events;
    int lastRows = 1;
  };
  struct PatternSource {
    std::string name;
    int rows;
    std::map<int, TrackSource> tracks;
  };

  Score score_;
  int line_ = 0;
  bool open_ = false;
  std::vector<int> pans_;
  std::map<std::string, Drum> drums_;
  std::map<std::string, std::vector<std::string>> phrases_;
  std::map<std::string, int> patternIndex_;
  std::vector<PatternSource> patterns_;
};

}  // namespace

int ParseNote(std::string_view name) {
  static constexpr int kSemitone[] = {9, 11, 0, 2, 4, 5, 7};  // a..g
  if (name.size() < 2 || name.size() > 3) return 0;
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(name[0])));
  if (letter < 'a' || letter > 'g') return 0;
  int semitone = kSemitone[letter - 'a'];
  size_t pos = 1;
  if (name.size() == 3) {
    if (name[1] == '#') {
      ++semitone;
    } else if (name[1] == 'b') {
      --semitone;
    } else {
      return 0;
    }
    pos = 2;
  }
  if (name[pos] < '0' || name[pos] > '7') return 0;
  const int note = 1 + (name[pos] - '0') * 12 + semitone;
  return note >= 1 && note <= 96 ? note : 0;
}

Score ParseScore(std::string_view text) {
  return Parser().Run(text);
}

}  // namespace brinecast::xm
