// ScreenHost: what the screens ask of the window they are shown in. The window implements
// it; the screens see nothing else of it, so they depend on this and not on the window.
#pragma once

#include <cstdint>
#include <string>

#include "engine/SpriteRef.h"
#include "objects/GameStates.h"

namespace brinecast {

class TAsk;
class TMusic;
class TPlayer;
class TSprite;
struct TConfig;
struct ScreenSet;

class ScreenHost {
 public:
  // The two modules: the menus' and the play's.
  enum class Tune { Menu, Play };
  // What a start-up, a game or its end says when a module cannot be loaded; the options
  // screen says it its own way.
  static constexpr const char* kMusicFailure = "Can't load music.";

  virtual ~ScreenHost() = default;

  // Sound and music: the navigation sound, a module loaded and played (or the failure
  // told and music turned off), and the module loaded last.
  virtual void NavigationSound() = 0;
  virtual void PlayMusic(Tune tune, const std::string& failureText = kMusicFailure) = 0;
  virtual TMusic& Music() = 0;

  // The screens and their sprites: where sprites are placed, the menu's buttons
  // (1-based), every screen, and the state with the screen in front.
  virtual TSprite& SpriteRoot() = 0;
  virtual void ShowButton(int n, bool shown) = 0;
  virtual ScreenSet& Screens() = 0;
  virtual void SetState(GameState state) = 0;
  // The window's own click, as though the pointer had clicked the screen in front.
  virtual void DXDraw1Click() = 0;
  virtual void ShowMouse(bool show) = 0;
  // The question panel (questions, game over, name entry).
  virtual TSpriteRef<TAsk>& Ask() = 0;

  // The screens one screen opens, and the way out.
  virtual void BuildMainMenu() = 0;
  virtual void BuildOptions() = 0;
  virtual void BuildHiScores() = 0;
  virtual void BuildHelp() = 0;
  virtual void AskExit() = 0;
  virtual void Terminate() = 0;

  // The options, as Config.cfg holds them, saved; the window mode applied.
  virtual TConfig& Options() = 0;
  virtual void SaveConfig() = 0;
  virtual void ApplyWindowMode() = 0;
  // The keys typed in the main menu start counting again.
  virtual void ResetKeySum() = 0;

  // Play: started, stood still or going on, given up (from "ExitGame?"), and its
  // sprites cleared; the rig (null without one) and the level reached.
  virtual void StartGame() = 0;
  virtual void FreezePlay() = 0;
  virtual void ThawPlay() = 0;
  virtual void GiveUpGame() = 0;
  virtual void ClearPlayField() = 0;
  virtual const TPlayer* Rig() = 0;
  virtual uint16_t CurrentLevel() const = 0;

  // The name entry: the name typed, whether the result is on its way to the server.
  virtual std::string& PlayerName() = 0;
  virtual bool Sending() const = 0;
  virtual void SetSending(bool sending) = 0;
  // The result sent to the score server (false when it was not taken), the world's
  // table and the portal opened.
  virtual bool SubmitScore() = 0;
  virtual void OpenWorldScores() = 0;
  virtual void VisitPortal() = 0;

  // The high-score table's recordings: the row the last game took, or none at all.
  virtual void KeepRowRecording(int row, int64_t score) = 0;
  virtual void ForgetRowRecordings() = 0;
};

}  // namespace brinecast
