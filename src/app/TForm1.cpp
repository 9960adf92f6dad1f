#include "app/TForm1.h"

#include <utility>

#include "media/EmbeddedSounds.h"

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

TForm1::TForm1(Platform& platform, std::string appDir, uint64_t seed)
    : TGame(platform, seed),
      Music(platform),
      Loop(platform, *this),
      platform_(platform),
      appDir_(std::move(appDir)),
      configFile_(appDir_, std::string()) {
  FillWaveList(DXWaveList1.Items());
  DXWaveList1.Initialize(platform);
  DXTimer1.LastTime = platform_.Ticks();
  // The drawing component comes up with the window.
  DXDraw1.Initialize();
}

TForm1::~TForm1() = default;

void TForm1::SetPrefDir(std::string prefDir) {
  configFile_ = TConfigFile(appDir_, std::move(prefDir));
}

WindowTimer& TForm1::Timer(size_t index) {
  WindowTimer* timers[] = {&Timer1, &Timer2, &Timer3, &Timer4};
  return *timers[index];
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
      if (ScriptStep) ScriptStep();
      break;
    case Kind::DismissBox:
      break;
  }
}

}  // namespace brinecast
