// Playing a recording back and comparing where it goes with where the recording says it went.
#include "app/replay/ReplayGame.h"

#include "app/NoNetwork.h"
#include "app/Project1.h"
#include "app/TForm1.h"

namespace brinecast {

namespace {

std::string Differences(const replay::EndState& got, const replay::EndState& want) {
  std::string text;
  auto note = [&](const char* what, int64_t a, int64_t b) {
    if (a == b) return;
    text += text.empty() ? "" : ", ";
    text += std::string(what) + " " + std::to_string(a) + " instead of " + std::to_string(b);
  };
  note("score", got.score, want.score);
  note("level", got.level, want.level);
  note("frames", static_cast<int64_t>(got.frames), static_cast<int64_t>(want.frames));
  note("end", got.complete, want.complete);
  if (got.state != want.state) text += text.empty() ? "another final state" : ", another state";
  return text;
}

}  // namespace

ReplayOutcome ReplayGame(const replay::Recording& recording, Platform& inner,
                         const ReplayOptions& options) {
  ReplayOutcome outcome;
  replay::TapePlatform tape(recording, inner, options.pace);
  // A replay asks no server anything; should it try, the cable is out.
  NoNetwork http;
  GameSetup setup{{tape, http}, {options.appDir, {}}, 0, options.windowed};
  setup.recorder = &tape;
  setup.playerFiles = false;
  setup.draws = options.draws;
  AssembledGame game(setup);
  TForm1& form = game.Form();
  form.SetScriptStep([&] {
    const std::string line = tape.ScriptStep({});
    if (!tape.Failure() && !options.runScript) {
      tape.Refuse("the recording holds set-up steps only the simulator can replay");
    } else if (!tape.Failure()) {
      try {
        options.runScript(form, line);
      } catch (const std::exception& error) {
        tape.Refuse(std::string("a set-up step cannot run: ") + error.what());
      }
    }
  });
  bool started = false;
  form.Loop().Guard([&] {
    form.FormCreate();
    started = form.StartupDone();
  });
  if (!started) {
    outcome.failure =
        "the game could not start: " +
        (form.Loop().Messages().empty() ? std::string("no data") : form.Loop().Messages().back());
    return outcome;
  }
  form.RestoreStart(recording.start);
  form.Loop().Guard([&] { form.StartGame(); });
  form.Loop().Run();

  if (tape.Failure()) {
    outcome.failure = *tape.Failure();
    return outcome;
  }
  if (tape.Ended()) {
    outcome.end = tape.Ended();
    if (!tape.TapeUsedUp()) {
      outcome.failure = "the game ended before its recording did";
      return outcome;
    }
  } else {
    outcome.end = form.Ending(false);
    if (!tape.TapeUsedUp()) {
      outcome.failure = "the replay was stopped before its recording ended";
      return outcome;
    }
  }
  if (!(*outcome.end == recording.end)) {
    outcome.failure =
        "the replay ended otherwise than recorded: " + Differences(*outcome.end, recording.end);
    return outcome;
  }
  outcome.consistent = true;
  return outcome;
}

}  // namespace brinecast
