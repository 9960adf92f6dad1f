// brinecast-sim: the game's own code on a virtual clock, driven by a script.
#include <SDL.h>
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <span>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "ScriptRunner.h"
#include "ScriptedHttp.h"
#include "SetupCommands.h"
#include "SimOptions.h"
#include "app/Project1.h"
#include "app/TForm1.h"
#include "app/replay/VerifyRecording.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/Recording.h"
#include "storage/AtomicWrite.h"

namespace fs = std::filesystem;
using brinecast::sim::Command;
using brinecast::sim::ScriptError;

namespace {

constexpr int kScriptUnreadable = 2;

using Options = brinecast::sim::SimOptions;

int Usage(const std::string& why) {
  std::cerr << "brinecast-sim: " << why << "\n"
            << "usage: brinecast-sim [--data DIR] [--config FILE] [--seed N] [--frame-ms MS] "
               "[--score-server HOST:PORT] [--record FILE] SCRIPT|-\n"
            << "       brinecast-sim [--data DIR] --verify FILE\n";
  return kScriptUnreadable;
}

// Reads the whole file first, so a script that cannot be read runs nothing.
std::vector<Command> ReadScript(std::istream& in) {
  std::vector<Command> commands;
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    if (std::optional<Command> command = brinecast::sim::ParseCommand(text, line)) {
      commands.push_back(*command);
    }
  }
  return commands;
}

std::string AppDirOf(const Options& options) {
  std::string dir = options.data.empty() ? std::string(BRINECAST_DEFAULT_APPDIR) : options.data;
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// Prints the verdict as one JSON line; the exit status says complete (0), damaged or
// inconsistent or unfinished (1), refused (2).
int Verify(const Options& options) {
  std::vector<uint8_t> bytes;
  try {
    bytes = brinecast::replay::ReadRecordingFile(options.verify);
  } catch (const std::exception& error) {
    std::cerr << "brinecast-sim: " << error.what() << "\n";
    return 1;
  }
  const brinecast::VerifyReport report = brinecast::VerifyRecording(
      bytes, AppDirOf(options), [](brinecast::TForm1& form, const std::string& line) {
        const std::optional<Command> command = brinecast::sim::ParseCommand(line, 0);
        if (!command) throw std::runtime_error("an empty set-up step");
        brinecast::sim::CheckSetup(form, *command);
        brinecast::sim::RunSetup(form, *command);
      });
  std::cout << report.Json() << "\n";
  if (report.verdict != brinecast::VerifyReport::Verdict::kComplete) {
    std::cerr << "brinecast-sim: " << options.verify << ": " << report.message << "\n";
  }
  return report.ExitStatus();
}

int Run(const Options& options) {
  std::optional<brinecast::sim::ScratchFolder> scratch;
  fs::path appDir;
  if (options.data.empty()) {
    scratch.emplace(BRINECAST_DEFAULT_APPDIR);
    appDir = scratch->Path();
  } else {
    appDir = options.data;
  }
  if (!options.config.empty()) {
    std::error_code error;
    fs::copy_file(options.config, appDir / "Config.cfg", fs::copy_options::overwrite_existing,
                  error);
    if (error) {
      std::cerr << "brinecast-sim: cannot copy " << options.config << ": " << error.message()
                << "\n";
      return kScriptUnreadable;
    }
  }

  brinecast::sim::ScriptRunner::Source source;
  std::vector<Command> commands;
  size_t next = 0;
  int stdinLine = 0;
  if (options.script == "-") {
    source = [&]() -> std::optional<Command> {
      std::string text;
      while (std::getline(std::cin, text)) {
        if (auto command = brinecast::sim::ParseCommand(text, ++stdinLine)) return command;
      }
      return std::nullopt;
    };
  } else {
    std::ifstream file(options.script);
    if (!file) {
      std::cerr << "brinecast-sim: cannot open script " << options.script << "\n";
      return kScriptUnreadable;
    }
    try {
      commands = ReadScript(file);
    } catch (const ScriptError& error) {
      std::cerr << options.script << ": " << error.what() << "\n";
      return kScriptUnreadable;
    }
    source = [&]() -> std::optional<Command> {
      if (next >= commands.size()) return std::nullopt;
      return commands[next++];
    };
  }

  brinecast::HeadlessPlatform platform;
  platform.SetFrameCost(options.frameMs);
  std::unique_ptr<brinecast::HttpTransport> server;
  // A server named here gets the game's requests; without one the script answers them.
  if (!options.scoreServer.empty()) server = std::make_unique<brinecast::CurlTransport>();
  brinecast::sim::ScriptedHttp http(std::move(server));
  brinecast::sim::ScriptRunner runner(platform, source, std::cout);
  runner.SetHttp(&http);
  platform.SetDriver([&](uint64_t deadline) { return runner.Drive(deadline); });

  const uint64_t seed =
      options.seed
          ? *options.seed
          : static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
  std::string dir = appDir.string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  std::optional<brinecast::replay::Recording> recorded;
  brinecast::GameSetup setup{{platform, http}, {dir, {}}, seed, std::nullopt};
  setup.scoreServer = brinecast::ScoreServerHost(
      options.scoreServer.empty() ? nullptr : options.scoreServer.c_str());
  const int status = brinecast::Project1(
      setup, [&](brinecast::TForm1& form) { runner.SetForm(&form); },
      [&](brinecast::TForm1& form) {
        if (auto* last = form.LastGame()) recorded = *last;
      });
  runner.SetForm(nullptr);
  std::cout.flush();
  if (runner.Error()) {
    std::cerr << options.script << ": " << runner.Error()->what() << "\n";
    return kScriptUnreadable;
  }
  if (!options.record.empty()) {
    if (!recorded) {
      std::cerr << "brinecast-sim: the script played no game: nothing to record\n";
      return 1;
    }
    try {
      // Written whole or not at all, so a reader never sees half a recording.
      brinecast::WriteFileAtomically(options.record, brinecast::replay::EncodeRecording(*recorded));
    } catch (const brinecast::EInOutError& error) {
      std::cerr << "brinecast-sim: " << error.what() << "\n";
      return 1;
    }
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  SDL_SetHint(SDL_HINT_VIDEODRIVER, "dummy");
  SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
  std::string why;
  std::optional<Options> options =
      brinecast::sim::ParseSimOptions(std::span<char* const>(argv, static_cast<size_t>(argc)), why);
  if (!options) return Usage(why);
  try {
    if (!options->verify.empty()) return Verify(*options);
    return Run(*options);
  } catch (const std::exception& error) {
    std::cerr << "brinecast-sim: the game raised an error: " << error.what() << "\n";
    return 1;
  } catch (...) {
    std::cerr << "brinecast-sim: the game raised an unknown error\n";
    return 1;
  }
}
