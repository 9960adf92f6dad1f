// The script as the headless platform's driver: commands run until one lets time pass.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

#include "Script.h"

namespace brinecast {
class HeadlessPlatform;
class TForm1;
}  // namespace brinecast

namespace brinecast::sim {

class ScriptedHttp;

// Runs a script as the headless platform's driver: whenever the game waits,
// it runs commands until one needs virtual time to pass.
class ScriptRunner {
 public:
  // Next command, nullopt at the end of the script; may throw ScriptError.
  using Source = std::function<std::optional<Command>()>;

  ScriptRunner(HeadlessPlatform& platform, Source source, std::ostream& out)
      : platform_(platform), source_(std::move(source)), out_(out) {}

  // The game's window, once it exists; its Script events run the set-up commands.
  void SetForm(TForm1* form);
  void SetHttp(ScriptedHttp* http) { http_ = http; }
  std::optional<uint64_t> Drive(uint64_t deadline);

  // Set when the run stopped on a script error.
  const std::optional<ScriptError>& Error() const { return error_; }

 private:
  // Runs one command; returns the time to reach if it needs time to pass, or
  // the present time after queuing events, so that the game takes them before
  // the next command (a snapshot then shows what they did).
  std::optional<uint64_t> Execute(const Command& command);
  void Queue(PlatformEvent event);
  void Screenshot(const Command& command) const;

  HeadlessPlatform& platform_;
  Source source_;
  std::ostream& out_;
  TForm1* form_ = nullptr;
  ScriptedHttp* http_ = nullptr;
  std::deque<Command> setups_;  // set, spawn and call waiting for their Script event
  std::optional<ScriptError> error_;
  std::optional<uint64_t> waitUntil_;
  std::optional<uint64_t> framesUntil_;
  int framesLine_ = 0;
  std::optional<int> releaseAfterWait_;  // the held key of `hold`
  int pointerX_ = 0;
  int pointerY_ = 0;
  bool ended_ = false;
};

}  // namespace brinecast::sim
