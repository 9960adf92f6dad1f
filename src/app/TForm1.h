#pragma once

#include <cstdint>
#include <string>

#include "app/LoopHost.h"
#include "app/MainLoop.h"
#include "app/Random.h"
#include "app/RunningGame.h"
#include "app/WindowTimer.h"
#include "engine/DXDraw.h"
#include "engine/DXImageList.h"
#include "engine/DXSpriteEngine.h"
#include "engine/ImageSprite.h"
#include "media/WaveCollection.h"
#include "platform/Platform.h"

namespace brinecast {

// The main window: owns every component and holds what the game keeps between
// handlers, so two games can run side by side.
class TForm1 : public LoopHost, public TRunningGame {
 public:
  // System command codes of the window's minimise and maximise.
  static constexpr int kScMinimize = 61472;
  static constexpr int kScMaximize = 61488;

  TForm1(Platform& platform, std::string appDir, uint64_t seed);
  ~TForm1() override;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  Platform& Host() { return platform_; }
  const std::string& AppDir() const { return appDir_; }

  // Start-up; run by the main block once the window exists.
  void FormCreate();

  // Application.Terminate: the main loop ends after the current handler.
  void Terminate() { terminated_ = true; }
  bool Terminated() const override { return terminated_ || platform_.QuitRequested(); }

  void ShowMessage(const std::string& text) { Loop.ShowMessage(text); }

  // Handlers, named after their component and event.
  void DXTimer1Timer(uint32_t lagCount);
  void Timer1Timer();
  void Timer2Timer();
  void Timer3Timer();
  void Timer4Timer();
  void FormKeyDown(int key, bool alt);
  void FormKeyUp(int key, bool alt);
  void DXDraw1MouseDown(MouseButton button, int x, int y);
  void DXDraw1MouseMove(int x, int y);
  void DXDraw1MouseUp(MouseButton button, int x, int y);
  void DXDraw1Click();
  void FormCloseQuery(bool& canClose);
  void WMGetSysCommand(int command);
  void FormActivate();
  void FormDeactivate();

  // Components, in the window's creation order.
  TDXDraw DXDraw1;
  TDXTimer DXTimer1;
  TDXSpriteEngine DXSpriteEngine1;
  TDXImageList GameImgs;
  TDXImageList DXImageList1;
  WindowTimer Timer1;
  WindowTimer Timer2;
  WindowTimer Timer3;
  TDXWaveList DXWaveList1;
  WindowTimer Timer4;

  TRandom RandomGen;
  std::string GameState;
  uint8_t FrameNo = 0;
  MainLoop Loop;

 private:
  // The main loop's view of the window.
  void HandleEvent(const PlatformEvent& event) override;
  size_t TimerCount() const override { return 4; }
  WindowTimer& Timer(size_t index) override;
  void TimerTick(size_t index) override;
  TDXTimer& FrameTimer() override { return DXTimer1; }
  void Frame(uint32_t lagCount) override { DXTimer1Timer(lagCount); }

  Platform& platform_;
  std::string appDir_;
  bool terminated_ = false;
};

}  // namespace brinecast
