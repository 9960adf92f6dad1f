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
    : DXSpriteEngine1(DXDraw1),
      GameImgs(DXDraw1),
      DXImageList1(DXDraw1),
      Timer1(platform, 10),
      Timer2(platform, 2000),
      Timer3(platform, 2000),
      Timer4(platform, 128),
      RandomGen(seed),
      Loop(platform, *this),
      platform_(platform),
      appDir_(std::move(appDir)) {
  FillWaveList(DXWaveList1.Items());
  DXTimer1.LastTime = platform_.Ticks();
  // The drawing component comes up with the window.
  DXDraw1.Initialize();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
  // The rest of the start-up sequence lands with the game's screens.
  DXImageList1.Items().MakeColorTable();
  DXImageList1.Items().LoadFromFile(appDir_ + "Data/MenuImgs.dxg");
  GameImgs.Items().LoadFromFile(appDir_ + "Data/GameImgs.dxg");
}

void TForm1::DXTimer1Timer(uint32_t /*lagCount*/) {
  if (!DXDraw1.CanDraw()) return;
  DXDraw1.Fill(0);
  ++FrameNo;
  DXSpriteEngine1.Move(FrameNo);
  DXSpriteEngine1.PurgeDead();
  DXSpriteEngine1.Draw();
  platform_.Present(DXDraw1.Surface());
}

void TForm1::Timer1Timer() {}
void TForm1::Timer2Timer() {}
void TForm1::Timer3Timer() {}
void TForm1::Timer4Timer() {}
void TForm1::FormKeyDown(int /*key*/, bool /*alt*/) {}
void TForm1::FormKeyUp(int /*key*/, bool /*alt*/) {}
void TForm1::DXDraw1MouseDown(MouseButton /*button*/, int /*x*/, int /*y*/) {}
void TForm1::DXDraw1MouseMove(int /*x*/, int /*y*/) {}
void TForm1::DXDraw1MouseUp(MouseButton /*button*/, int /*x*/, int /*y*/) {}
void TForm1::DXDraw1Click() {}

void TForm1::FormCloseQuery(bool& canClose) {
  // Until the exit question exists, a close request ends the program.
  canClose = true;
}

void TForm1::WMGetSysCommand(int /*command*/) {}
void TForm1::FormActivate() {}
void TForm1::FormDeactivate() {}

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
    case Kind::DismissBox:
      break;
  }
}

}  // namespace brinecast
