// A fuzz target feeding any bytes to the image archive reader and drawing what it reads.
#include <SDL_surface.h>

#include <cstddef>
#include <cstdint>
#include <span>

#include "engine/EngineError.h"
#include "engine/PictureCollection.h"

// Any bytes must give the items or one of the reader's errors, and whatever was
// read must prepare and draw without fault.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  brinecast::TPictureCollection items;
  try {
    items.LoadFromMemory(std::span<const uint8_t>(data, size));
  } catch (const brinecast::EngineError&) {
  }
  SDL_Surface* dest = SDL_CreateRGBSurfaceWithFormat(0, 64, 48, 32, SDL_PIXELFORMAT_ARGB8888);
  if (dest == nullptr) return 0;
  for (int i = 0; i < items.Count(); ++i) {
    brinecast::TPictureCollectionItem* item = items.Items(i);
    item->Prepare();
    const int last = item->PatternCount() - 1;
    item->Draw(dest, -3, -5, 0);
    item->Draw(dest, 10, 7, last);
    item->DrawStretched(dest, {-4, 2, 70, 30}, last);
    item->DrawRotated(dest, 32, 24, 40, 20, 0, 0.5, 0.5, 37);
  }
  SDL_FreeSurface(dest);
  return 0;
}
