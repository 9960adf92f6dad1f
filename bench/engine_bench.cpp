// Benchmarks of the engine's drawing: background, keyed, stretched and rotated sprites, and
// whole frames of many sprites.
#include <SDL_surface.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <utility>

#include "engine/DXDraw.h"
#include "engine/DXSprite.h"
#include "engine/PictureCollectionItem.h"

namespace brinecast {
namespace {

constexpr uint32_t kKeyRgb = 0xFF00FF;

// Deterministic scatter for sprite positions and pixels.
uint32_t NextScatter(uint32_t& state) {
  state = state * 1664525u + 1013904223u;
  return state >> 8;
}

// A picture with a colour-keyed rim, like a fish cut out of its background.
Picture KeyedPicture(int width, int height) {
  Picture p;
  p.width = width;
  p.height = height;
  p.bitCount = 24;
  p.pixels.resize(static_cast<size_t>(width) * height);
  uint32_t seed = 7;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool rim = x < 4 || y < 3 || x >= width - 4 || y >= height - 3;
      p.pixels[y * width + x] = rim ? kKeyRgb : NextScatter(seed) & 0xFEFEFE;
    }
  }
  return p;
}

// A ready 800 x 600 surface and one prepared picture.
struct Scene {
  Scene(Picture picture, bool transparent) {
    draw.Initialize();
    item.Picture = std::move(picture);
    item.Transparent = transparent;
    item.TransparentColor = 0x00FF00FF;
    item.Prepare();
  }
  TDXDraw draw;
  TPictureCollectionItem item;
};

void BM_DrawBackground(benchmark::State& state) {
  Scene scene(KeyedPicture(800, 600), false);
  for (auto _ : state) scene.item.Draw(scene.draw.Surface(), 0, 0, 0);
}
BENCHMARK(BM_DrawBackground);

void BM_DrawSprite(benchmark::State& state) {
  Scene scene(KeyedPicture(64, 32), true);
  for (auto _ : state) scene.item.Draw(scene.draw.Surface(), 300, 200, 0);
}
BENCHMARK(BM_DrawSprite);

void BM_SdlBlitReference(benchmark::State& state) {
  TDXDraw draw;
  draw.Initialize();
  const Picture p = KeyedPicture(64, 32);
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 64, 32, 32, SDL_PIXELFORMAT_ARGB8888);
  for (int y = 0; y < 32; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
    for (int x = 0; x < 64; ++x) row[x] = 0xFF000000u | p.pixels[y * 64 + x];
  }
  SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
  SDL_SetColorKey(s, SDL_TRUE, 0xFF000000u | kKeyRgb);
  for (auto _ : state) {
    SDL_Rect from{0, 0, 64, 32};
    SDL_Rect to{300, 200, 0, 0};
    SDL_BlitSurface(s, &from, draw.Surface(), &to);
  }
  SDL_FreeSurface(s);
}
BENCHMARK(BM_SdlBlitReference);

void BM_DrawStretched(benchmark::State& state) {
  Picture line;
  line.width = 1;
  line.height = 1;
  line.bitCount = 24;
  line.pixels = {0x202020};
  Scene scene(line, true);
  for (auto _ : state) scene.item.DrawStretched(scene.draw.Surface(), TRect{400, 100, 404, 400}, 0);
}
BENCHMARK(BM_DrawStretched);

void BM_DrawRotated(benchmark::State& state) {
  Scene scene(KeyedPicture(96, 48), true);
  for (auto _ : state) {
    scene.item.DrawRotated(scene.draw.Surface(), 400, 300, 96, 48, 0, 0.5, 0.5, 64);
  }
}
BENCHMARK(BM_DrawRotated);

// One frame of the sprite engine with that many 64 x 32 keyed sprites; with
// blit false the sprites have no image, which leaves the engine's own cost.
void EngineFrame(benchmark::State& state, bool blit) {
  Scene scene(KeyedPicture(64, 32), true);
  TDXSpriteEngine engine(scene.draw);
  TPictureCollectionItem& item = scene.item;
  uint32_t seed = 1;
  for (int64_t i = 0; i < state.range(0); ++i) {
    auto* s = new TImageSprite(&engine.Engine());
    s->Image = blit ? &item : nullptr;
    s->Width = item.Width();
    s->Height = item.Height();
    s->X = static_cast<double>(NextScatter(seed) % 860) - 30;
    s->Y = static_cast<double>(NextScatter(seed) % 640) - 20;
    s->SetZ(static_cast<int>(NextScatter(seed) % 8));
  }
  int tick = 0;
  for (auto _ : state) {
    engine.Move(++tick & 255);
    engine.PurgeDead();
    engine.Draw();
  }
  state.counters["drawn"] = engine.Engine().DrawnCount();
}

void BM_EngineFrame(benchmark::State& state) {
  EngineFrame(state, true);
}
BENCHMARK(BM_EngineFrame)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

void BM_EngineFrameNoBlit(benchmark::State& state) {
  EngineFrame(state, false);
}
BENCHMARK(BM_EngineFrameNoBlit)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brinecast
