// The main window's construction (its sound list, timers and screens) and how it hands
// each platform event and timer tick to its handler.
#include "app/TForm1.h"

#include <utility>

#include "app/screens/ScreenSet.h"
#include "media/EmbeddedSounds.h"
#include "objects/Player.h"
#include "replay/RecordingPlatform.h"

namespace brinecast {

namespace {

// The window's four sounds, in the order it stores them.
struct StoredWave {
  const char* name;
  int maxPlayingCount;
};
constexpr StoredWave kStoredWaves[] = {{"Up", 0}, {"Poimal", 1}, {"Level", 0}, {"Over", 1}};

void FillWaveList(TWaveCollection& waves) {
  for (const StoredWave& stored : kStoredWaves) {
    TWaveCollectionItem& item = waves.Add();
    item.Name = stored.name;
    item.SetMaxPlayingCount(stored.maxPlayingCount);
    item.Wave = EmbeddedWave(stored.name);
  }
}

}  // namespace

TForm1::TForm1(const GameSetup& setup) : TForm1(setup, setup.machine.platform, setup.recorder) {}

TForm1::TForm1(const GameSetup& setup, replay::RecordingPlatform& recorder)
    : TForm1(setup, recorder, &recorder) {}

TForm1::TForm1(const GameSetup& setup, Platform& platform, replay::GameRecorder* recorder)
    : TGame(platform, setup.seed),
      loop_(platform, *this),
      music_(platform),
      screens_(std::make_unique<ScreenSet>(*this)),
      platform_(platform),
      appDir_(setup.folders.appDir),
      configFile_(appDir_, setup.folders.prefDir),
      http_(setup.machine.http),
      windowedOverride_(setup.windowed),
      recorder_(recorder),
      playerFiles_(setup.playerFiles),
      draws_(setup.draws),
      scoreServer_(setup.scoreServer) {
  FillWaveList(DXWaveList1().Items());
  DXWaveList1().Initialize(platform_);
  DXTimer1.LastTime = platform_.Ticks();
  // The drawing component comes up with the window.
  DXDraw1().Initialize();
}

TForm1::~TForm1() = default;

const TPlayer* TForm1::Rig() {
  return Player().Get();
}

WindowTimer& TForm1::Timer(size_t index) {
  return *WindowTimers()[index];
}

void TForm1::TimerTick(size_t index) {
  switch (index) {
    case 0:
      Timer1Timer();
      break;
    case 1:
      Timer2Timer();
      break;
    case 2:
      Timer3Timer();
      break;
    default:
      Timer4Timer();
      break;
  }
}

void TForm1::HandleEvent(const PlatformEvent& event) {
  using Kind = PlatformEvent::Kind;
  switch (event.kind) {
    case Kind::KeyDown:
      FormKeyDown(event.key, event.alt);
      break;
    case Kind::KeyUp:
      FormKeyUp(event.key, event.alt);
      break;
    case Kind::MouseMove:
      DXDraw1MouseMove(event.x, event.y);
      break;
    case Kind::MouseDown:
      DXDraw1MouseDown(event.button, event.x, event.y);
      break;
    case Kind::MouseUp:
      DXDraw1MouseUp(event.button, event.x, event.y);
      break;
    case Kind::Click:
      DXDraw1Click();
      break;
    case Kind::Close: {
      bool canClose = false;
      FormCloseQuery(canClose);
      if (canClose) Terminate();
      break;
    }
    case Kind::Minimise:
      WMGetSysCommand(kScMinimize);
      break;
    case Kind::Maximise:
      WMGetSysCommand(kScMaximize);
      break;
    case Kind::Activate:
      FormActivate();
      break;
    case Kind::Deactivate:
      FormDeactivate();
      break;
    case Kind::JoystickRemoved:
      JoystickRemoved();
      break;
    case Kind::Script:
      if (scriptStep_) scriptStep_();
      break;
    case Kind::DismissBox:
      break;
  }
}

}  // namespace brinecast
