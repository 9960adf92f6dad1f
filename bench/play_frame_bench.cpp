// One whole frame of a running level: sea background, weeds, wave, 20 fish, 10
// objects, 5 bubbles, the rig and the HUD, as the frame loop draws them.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/TForm1.h"
#include "objects/Fish.h"
#include "objects/Objcts.h"
#include "objects/Puzir.h"
#include "platform/headless/HeadlessPlatform.h"
#include "replay/RecordingPlatform.h"
#include "support/GameFolder.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

// Fish and objects spread over the sea, moving as in play.
std::vector<TSpriteRef<TImageSprite>> Populate(TForm1& form) {
  TSpriteEngine& root = form.DXSpriteEngine1().Engine();
  std::vector<TSpriteRef<TImageSprite>> sprites;
  for (int i = 0; i < 20; ++i) {
    auto* fish = new TFish(&root);
    fish->SetKind(static_cast<uint8_t>(i % 10 + 1), i % 2 == 0);
    fish->X = 160.0 + 24 * i;
    fish->Y = 240.0 + 12 * i;
    sprites.emplace_back(fish);
  }
  for (int i = 0; i < 10; ++i) {
    auto* object = new TObjcts(&root);
    object->SetKind(static_cast<uint8_t>(i % 4 + 1), i % 2 == 0);
    object->X = 200.0 + 40 * i;
    object->Y = 260.0 + 20 * i;
    sprites.emplace_back(object);
  }
  form.FishCount = 20;
  form.ObjCount = 10;
  return sprites;
}

// Argument 1: the game is being recorded, as every game is; 0: nobody records it.
void BM_PlayFrame(benchmark::State& state) {
  HeadlessPlatform platform;
  replay::RecordingPlatform recorder(platform);
  const bool recording = state.range(0) != 0;
  // Start-up writes Config.cfg: into a scratch folder, never the build's game.
  testing::GameFolder folder;
  GameSetup setup = testing::OfflineSetup(recording ? static_cast<Platform&>(recorder) : platform,
                                          folder.AppDir(), 7);
  if (recording) setup.recorder = &recorder;
  TForm1 form(setup);
  form.FormCreate();
  form.StartGame();
  // Past the banner; the level clock is not running, so the level lasts.
  form.Freeze().SetEnabled(false);
  for (int i = 0; i < 5; ++i) new TPuzir(&form.DXSpriteEngine1().Engine());
  std::vector<TSpriteRef<TImageSprite>> sprites = Populate(form);
  int frames = 0;
  for (auto _ : state) {
    form.DXTimer1Timer(1);
    // Before the fish swim off the sea, put a fresh shoal in.
    if (++frames % 40 == 0) {
      state.PauseTiming();
      for (const auto& sprite : sprites) sprite.Kill();
      form.DXSpriteEngine1().PurgeDead();
      sprites = Populate(form);
      state.ResumeTiming();
    }
  }
}
BENCHMARK(BM_PlayFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brinecast
