// Config.cfg read at start-up and written on request, the switch between window
// and full screen, and the places that load and play a music module.
#include "app/TForm1.h"
#include "storage/HighScores.h"

namespace brinecast {

void TForm1::LoadConfig() {
  if (!playerFiles_) {
    SetDefaults(Config);
    return;
  }
  if (!configFile_.Load(Config)) {
    SetDefaults(Config);
    SaveConfig();
  }
  SortHighScores(Config);
}

void TForm1::SaveConfig() {
  if (!playerFiles_) return;
  TConfig stored = Config;
  // A mode chosen on the command line is for this run; once the player switches,
  // whatever they chose last is theirs to keep.
  if (windowedOverride_ && !modeChosen_) stored.Windowed = savedWindowed_;
  try {
    configFile_.Save(stored);
  } catch (const EInOutError& error) {
    // Reported, and whoever asked carries on: a failed write must not keep
    // the game from ending, resuming its frames or leaving the name entry.
    ShowMessage(error.what());
  }
}

void TForm1::ApplyWindowMode() {
  if (startupDone_) modeChosen_ = true;
  DXTimer1.Enabled = false;
  bool failed = false;
  if (!platform_.SetFullScreen(!Config.Windowed) && !Config.Windowed) {
    Config.Windowed = true;
    platform_.SetFullScreen(false);
    failed = true;
  }
  SaveConfig();
  DXTimer1.Enabled = true;
  DXTimer1.LastTime = platform_.Ticks();
  if (failed) ShowMessage("Display mode cannot be changed (800x600 32bit)");
}

void TForm1::PlayMusic(Tune tune, const std::string& failureText) {
  const char* file = tune == Tune::Menu ? "Sound/1.xm" : "Sound/2.xm";
  if (Music().SongLoadFromFile(appDir_ + file)) {
    Music().SongPlay();
    return;
  }
  ShowMessage(failureText);
  Config.MusicOn = false;
}

}  // namespace brinecast
