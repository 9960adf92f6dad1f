// TForm1, the main window: it owns every component and the state the game's procedures
// share, and hands keys, the pointer and frames to the screen in front.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/GameSetup.h"
#include "app/LoopHost.h"
#include "app/MainLoop.h"
#include "app/screens/ScreenHost.h"
#include "engine/Canvas.h"
#include "engine/SpriteRef.h"
#include "media/Music.h"
#include "objects/Game.h"
#include "platform/Platform.h"
#include "replay/GameRecorder.h"
#include "storage/Config.h"
#include "storage/ConfigFile.h"

namespace brinecast {

class TMenuB;
class TAsk;
class TChk;
class Screen;
struct ScreenSet;
struct MenuState;
class HttpTransport;
struct HttpResult;
struct HttpBody;
struct UploadRetries;
namespace replay {
class RecordingPlatform;
}

// The main window: owns every component and holds what the game keeps between
// handlers, so two games can run side by side. Its procedures live in files by
// concern: FrameLoop, LevelRules, Timers, Hud, Menus, Keyboard, Mouse, Options,
// Startup, Online; each screen of the menus is a class of its own under screens/.
class TForm1 : public LoopHost, public TGame, public ScreenHost {
 public:
  // System command codes of the window's minimise and maximise.
  static constexpr int kScMinimize = 61472;
  static constexpr int kScMaximize = 61488;
  // KeySum that shows the credit line: the key codes of B R I N E C A S T.
  static constexpr int32_t kCreditCode = 667;

  explicit TForm1(const GameSetup& setup);
  // The same game with a recorder standing between it and the setup's platform.
  TForm1(const GameSetup& setup, replay::RecordingPlatform& recorder);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Platform& Host() { return platform_; }
  const std::string& AppDir() const { return appDir_; }

  // TGame: the options the play field reads.
  bool SoundOn() const override { return Config.SoundOn; }
  bool SendOnline() const override { return Config.SendOnline; }

  // Start-up (Startup.cpp); run by the main block once the window exists.
  void FormCreate();
  bool StartupDone() const { return startupDone_; }

  // Application.Terminate: the main loop ends after the current handler.
  void Terminate() override { terminated_ = true; }
  bool Terminated() const override { return terminated_ || platform_.QuitRequested(); }

  void ShowMessage(const std::string& text) { loop_.ShowMessage(text); }

  // Handlers, named after their component and event.
  void DXTimer1Timer(uint32_t lagCount);  // FrameLoop.cpp
  void Timer1Timer();                     // Timers.cpp
  void Timer2Timer();
  void Timer3Timer();
  void Timer4Timer();
  void FormKeyDown(int key, bool alt);  // Keyboard.cpp
  void FormKeyUp(int key, bool alt);
  void DXDraw1MouseDown(MouseButton button, int x, int y);  // Mouse.cpp
  void DXDraw1MouseMove(int x, int y);
  void DXDraw1MouseUp(MouseButton button, int x, int y);
  void DXDraw1Click() override;
  void FormCloseQuery(bool& canClose);  // Startup.cpp
  void WMGetSysCommand(int command);
  void FormActivate();
  void FormDeactivate();
  void JoystickRemoved();

  // Level flow (LevelRules.cpp).
  void StartGame() override;
  void NextLevel();
  // Every game ends or is interrupted here: the question, the name entry or the menu.
  void LeaveGame();
  // What a game just left leaves behind goes before a new one starts (its fish, objects and
  // bubbles, and sprites killed but not yet freed), so every game starts on an empty sea.
  void ClearLeftovers();
  // The play field's sprites go and the menu background comes back.
  void ClearPlayField() override;
  // Play stands still (Paused, the level clock off, the freeze on), or goes on again.
  void FreezePlay() override;
  void ThawPlay() override;
  // "ExitGame?" answered yes: the game is over and left.
  void GiveUpGame() override;

  // Screens (Menus.cpp): each builder tears down the screen being left.
  void BuildMainMenu() override;
  void BuildOptions() override;
  void BuildHiScores() override;
  void BuildHelp() override;
  // Asks "Exit?" over the main menu (LeaveGame asks "ExitGame?" over play).
  void AskExit() override;
  // The navigation sound.
  void NavigationSound() override { PlaySound("Poimal"); }
  // Sets Shown of the menu's button n (1-based) when it exists.
  void ShowButton(int n, bool shown) override;
  TSprite& SpriteRoot() override { return DXSpriteEngine1().Engine(); }
  // Every screen, and the one that takes keys, the pointer and texts now (none in play).
  ScreenSet& Screens() override { return *screens_; }
  // The cursor, the lit buttons and the rest the screens share.
  MenuState& Menu();
  Screen* Front();
  // A state of play has no screen in front; a screen comes to the front after this.
  void SetState(GameState state) override;

  // Options file and window mode (Options.cpp).
  void LoadConfig();
  void SaveConfig() override;
  void ApplyWindowMode() override;
  TConfig& Options() override { return Config; }

  // Music call sites (Options.cpp): load and play, or report and turn music off.
  void PlayMusic(Tune tune, const std::string& failureText = kMusicFailure) override;
  TMusic& Music() override { return music_; }

  // Recording (GameRecording.cpp): what a game starts from and how it ends.
  replay::GameRecorder* Recorder() { return recorder_; }
  // The last game recorded and finished, if the recorder keeps one.
  std::optional<replay::Recording>* LastGame() {
    return recorder_ ? recorder_->Finished() : nullptr;
  }
  replay::StartState CaptureStart();
  // Puts the game back as a recording says its game found it, just before StartGame.
  void RestoreStart(const replay::StartState& start);
  // The game ended (complete) or stops unfinished (the program ends, another game starts).
  void EndRecording(bool complete);
  replay::EndState Ending(bool complete);
  // A hash of everything play depends on and shows: the same game gives the same hash.
  uint64_t PlayStateHash();

  // The player's recordings beside Config.cfg (KeptRecordings.cpp). A file that cannot be
  // written is told on standard error and never stops the game.

  // Keeps the game just ended as the last game's recording.
  void KeepLastGame();
  // Stamps the last game with who claims it; the file's bytes, or nothing without a game.
  std::optional<std::vector<uint8_t>> ClaimLastGame(const std::string& name,
                                                    const std::string& note);
  // The row (1-based) that the last game's score took gets its recording; rows that fell off
  // the table lose theirs.
  void KeepRowRecording(int row, int64_t score) override;
  // The table was cleared: no row keeps a recording.
  void ForgetRowRecordings() override;

  // Online services (Online.cpp).
  bool SubmitScore() override;
  void OpenWorldScores() override;
  void VisitPortal() override;
  // Uploads that did not get through are tried again now and then, one at a time and off
  // the main thread; run each frame, it reads no clock of its own.
  void TendUploads();

  // Shows or hides the pointer, whatever was asked before.
  void ShowMouse(bool show) override;

  // The question panel (questions, game over, name entry).
  TSpriteRef<TAsk>& Ask() override { return ask_; }
  const TPlayer* Rig() override;
  uint16_t CurrentLevel() const override { return LevelNo; }

  // Components beyond those the sprites share.
  TDXTimer DXTimer1;
  // The HUD's and the screens' texts are drawn with it over the sprites.
  TCanvas& Canvas() { return canvas_; }
  MainLoop& Loop() { return loop_; }

  // Keyboard: what the keys released so far add up to.
  int32_t KeySum = 0;
  void ResetKeySum() override { KeySum = 0; }

  // The pointer's last x, which tells the boat which way it moved.
  int32_t LastMouseX() const { return lastMouseX_; }
  // A replay puts it back as its game found it.
  void RestoreLastMouseX(int32_t x) { lastMouseX_ = x; }

  // Options, high scores, name entry, online.
  TConfig Config;
  std::string& PlayerName() override { return playerName_; }
  // A result is on its way to the score server.
  bool Sending() const override { return sending_; }
  void SetSending(bool sending) override { sending_ = sending; }

  // What runs for each Script event: the simulator's set-up commands.
  void SetScriptStep(std::function<void()> step) { scriptStep_ = std::move(step); }

 private:
  TForm1(const GameSetup& setup, Platform& platform, replay::GameRecorder* recorder);

  // The main loop's view of the window.
  void HandleEvent(const PlatformEvent& event) override;
  void KeyHeld(int key, bool down) override;
  size_t TimerCount() const override { return 4; }
  WindowTimer& Timer(size_t index) override;
  void TimerTick(size_t index) override;
  TDXTimer& FrameTimer() override { return DXTimer1; }
  void Frame(uint32_t lagCount) override { DXTimer1Timer(lagCount); }

  // One GET of the score server through the transport, or a POST when a body is
  // given; the window goes on meanwhile (Online.cpp).
  HttpResult Request(const std::string& url, const HttpBody* body = nullptr);
  UploadRetries& Uploads();
  // Opens a page in the browser, or shows its address when none can be opened.
  void OpenPage(const std::string& url);

  // The game-over display ends on a key or a click.
  void EndGameOver();
  // The main menu's buttons go as a sub-screen is built over it.
  void KillMainMenuButtons();

  // Frame-loop pieces (FrameLoop.cpp, Hud.cpp, LevelRules.cpp).
  void DrawStateTexts();
  // During play: the catch text rises and bubbles, objects and fish appear at random.
  void AdvancePlay();

  TCanvas canvas_;
  MainLoop loop_;
  std::function<void()> scriptStep_;
  TMusic music_;
  TSpriteRef<TAsk> ask_;
  std::string playerName_;
  bool sending_ = false;
  std::unique_ptr<ScreenSet> screens_;
  Platform& platform_;
  std::string appDir_;
  TConfigFile configFile_;
  HttpTransport& http_;
  // Window mode for this run only (command line); the saved choice stays.
  std::optional<bool> windowedOverride_;
  bool terminated_ = false;
  bool startupDone_ = false;
  bool savedWindowed_ = false;  // the mode Config.cfg held at start-up
  bool modeChosen_ = false;     // the player switched the mode since start-up
  replay::GameRecorder* recorder_;
  bool playerFiles_;
  bool draws_;
  std::string scoreServer_;
  // Made at the first frame that needs it; shared only so its type can stay in Online.cpp.
  std::shared_ptr<UploadRetries> uploads_;
  int32_t lastMouseX_ = 0;
};

}  // namespace brinecast
