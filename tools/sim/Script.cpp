// Script: the parser of script lines, one command each.
#include "Script.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <iterator>
#include <vector>

#include "KeyNames.h"
#include "SetupCommands.h"

namespace brinecast::sim {

namespace {

using Kind = PlatformEvent::Kind;

std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r')) ++at;
    size_t end = at;
    while (end < text.size() && text[end] != ' ' && text[end] != '\t' && text[end] != '\r') ++end;
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

class LineParser {
 public:
  LineParser(std::vector<std::string_view> words, int line)
      : words_(std::move(words)), line_(line) {}

  [[noreturn]] void Fail(const std::string& reason) const { throw ScriptError(line_, reason); }

  void Arity(size_t least, size_t most) const {
    if (words_.size() < least || words_.size() > most) {
      Fail("wrong number of arguments for '" + std::string(words_[0]) + "'");
    }
  }

  int64_t Integer(size_t index, int64_t least, int64_t most, const char* what) const {
    int64_t value = 0;
    std::string_view word = words_[index];
    auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (error != std::errc() || end != word.data() + word.size() || value < least || value > most) {
      Fail(std::string("bad ") + what + " '" + std::string(word) + "'");
    }
    return value;
  }

  int Key(size_t index) const {
    std::optional<int> key = KeyCode(words_[index]);
    if (!key) Fail("unknown key '" + std::string(words_[index]) + "'");
    return *key;
  }

  bool OptionalAlt(size_t index) const {
    if (words_.size() <= index) return false;
    if (words_[index] != "alt") Fail("expected 'alt', got '" + std::string(words_[index]) + "'");
    return true;
  }

  MouseButton Button(size_t index) const {
    if (words_[index] == "left") return MouseButton::Left;
    if (words_[index] == "right") return MouseButton::Right;
    Fail("unknown mouse button '" + std::string(words_[index]) + "'");
  }

  JoystickState Joystick() const {
    JoystickState state;
    if (words_.size() == 2 && words_[1] == "none") return state;
    Arity(3, 4);
    state.present = true;
    state.x = static_cast<int>(Integer(1, -1000, 1000, "axis"));
    state.y = static_cast<int>(Integer(2, -1000, 1000, "axis"));
    if (words_.size() == 4) {
      std::string_view list = words_[3];
      size_t at = 0;
      while (at <= list.size()) {
        size_t comma = list.find(',', at);
        if (comma == std::string_view::npos) comma = list.size();
        int button = 0;
        auto [end, error] = std::from_chars(list.data() + at, list.data() + comma, button);
        if (error != std::errc() || end != list.data() + comma || button < 1 || button > 32) {
          Fail("bad joystick buttons '" + std::string(list) + "'");
        }
        state.buttons |= 1U << static_cast<unsigned>(button - 1);
        at = comma + 1;
      }
    }
    return state;
  }

  std::optional<Command> Parse() const;

 private:
  std::vector<std::string_view> words_;
  int line_;
};

std::optional<Command> LineParser::Parse() const {
  Command command;
  command.line = line_;
  std::string_view name = words_[0];
  auto event = [&](Kind kind) {
    command.op = Command::Op::Event;
    command.event.kind = kind;
    return command;
  };
  if (name == "wait" || name == "frames") {
    Arity(2, 2);
    command.op = name == "wait" ? Command::Op::Wait : Command::Op::Frames;
    // A day of game time at most: frames come every 16 ms at the fastest.
    const int64_t most =
        static_cast<int64_t>(name == "wait" ? kLongestWaitMs : kLongestWaitMs / 16);
    command.amount = static_cast<uint64_t>(Integer(1, 0, most, "count"));
    return command;
  }
  if (name == "key") {
    Arity(3, 4);
    if (words_[1] != "down" && words_[1] != "up") Fail("expected 'key down' or 'key up'");
    if (words_[1] == "down") Arity(3, 3);
    command.event.key = Key(2);
    command.event.alt = OptionalAlt(3);
    return event(words_[1] == "down" ? Kind::KeyDown : Kind::KeyUp);
  }
  if (name == "press" || name == "hold") {
    const bool press = name == "press";
    Arity(press ? 2 : 3, press ? 3 : 3);
    command.op = press ? Command::Op::Press : Command::Op::Hold;
    command.event.key = Key(1);
    if (press) {
      command.event.alt = OptionalAlt(2);
    } else {
      command.amount =
          static_cast<uint64_t>(Integer(2, 0, static_cast<int64_t>(kLongestWaitMs), "time"));
    }
    return command;
  }
  if (name == "mouse") {
    Arity(3, 4);
    if (words_[1] == "move") {
      Arity(4, 4);
      command.event.x = static_cast<int>(Integer(2, INT32_MIN, INT32_MAX, "position"));
      command.event.y = static_cast<int>(Integer(3, INT32_MIN, INT32_MAX, "position"));
      command.setsPointer = true;
      return event(Kind::MouseMove);
    }
    Arity(3, 3);
    if (words_[1] != "down" && words_[1] != "up") Fail("expected 'mouse move', 'down' or 'up'");
    command.event.button = Button(2);
    return event(words_[1] == "down" ? Kind::MouseDown : Kind::MouseUp);
  }
  if (name == "click" || name == "dismiss" || name == "snapshot" || name == "quit") {
    Arity(1, 1);
    if (name == "dismiss") return event(Kind::DismissBox);
    command.op = name == "click"      ? Command::Op::Click
                 : name == "snapshot" ? Command::Op::Snapshot
                                      : Command::Op::Quit;
    return command;
  }
  if (name == "window") {
    Arity(2, 2);
    static constexpr std::pair<std::string_view, Kind> kWindow[] = {
        {"close", Kind::Close},
        {"minimise", Kind::Minimise},
        {"maximise", Kind::Maximise},
        {"deactivate", Kind::Deactivate},
        {"activate", Kind::Activate}};
    for (const auto& [word, kind] : kWindow) {
      if (words_[1] == word) return event(kind);
    }
    Fail("unknown window event '" + std::string(words_[1]) + "'");
  }
  if (name == "joystick") {
    Arity(2, 4);
    command.op = Command::Op::Joystick;
    command.joystick = Joystick();
    return command;
  }
  if (name == "screenshot") {
    Arity(2, 2);
    command.op = Command::Op::Screenshot;
    command.file = std::string(words_[1]);
    return command;
  }
  if (name == "set") {
    Arity(3, 3);
    if (!CanSet(words_[1])) {
      Fail("cannot set '" + std::string(words_[1]) + "'");
    }
    command.op = Command::Op::Set;
    command.name = std::string(words_[1]);
    command.number = Integer(2, INT64_MIN, INT64_MAX, "value");
    return command;
  }
  if (name == "spawn") {
    Arity(5, 6);
    const bool fish = words_[1] == "fish";
    if (!fish && words_[1] != "object") Fail("expected 'spawn fish' or 'spawn object'");
    if (fish) Arity(6, 6);
    command.op = Command::Op::Spawn;
    command.name = std::string(words_[1]);
    command.kind = static_cast<int>(Integer(2, 1, fish ? 10 : 5, "kind"));
    command.x = static_cast<double>(Integer(3, -100000, 100000, "position"));
    command.y = static_cast<double>(Integer(4, -100000, 100000, "position"));
    if (words_.size() == 6) {
      if (words_[5] != "left" && words_[5] != "right") Fail("expected 'left' or 'right'");
      command.fromLeft = words_[5] == "left";
    }
    return command;
  }
  if (name == "call") {
    Arity(2, 2);
    if (!CanCall(words_[1])) {
      Fail("cannot call '" + std::string(words_[1]) + "'");
    }
    command.op = Command::Op::Call;
    command.name = std::string(words_[1]);
    return command;
  }
  if (name == "http") {
    Arity(2, SIZE_MAX);
    if (words_[1] == "fail") {
      Arity(2, 2);
      command.op = Command::Op::HttpFail;
      return command;
    }
    if (words_[1] != "reply") Fail("expected 'http reply TEXT' or 'http fail'");
    command.op = Command::Op::HttpReply;
    return command;  // the text is taken from the raw line by ParseCommand
  }
  Fail("unknown command '" + std::string(name) + "'");
}

}  // namespace

std::optional<Command> ParseCommand(std::string_view text, int line) {
  // The reply of `http reply` is the rest of the line as is, '#' and all.
  const std::string_view raw = text;
  if (size_t hash = text.find('#'); hash != std::string_view::npos) text = text.substr(0, hash);
  std::vector<std::string_view> words = Words(text);
  if (words.empty()) return std::nullopt;
  std::optional<Command> command = LineParser(std::move(words), line).Parse();
  if (command) command->source = std::string(text);
  if (command && command->op == Command::Op::HttpReply) {
    const size_t http = raw.find("http");
    const size_t reply = raw.find("reply", http + 4);
    std::string_view rest = raw.substr(reply + 5);
    if (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t')) rest.remove_prefix(1);
    while (!rest.empty() && (rest.back() == '\r' || rest.back() == '\n')) rest.remove_suffix(1);
    command->text = std::string(rest);
  }
  return command;
}

}  // namespace brinecast::sim
