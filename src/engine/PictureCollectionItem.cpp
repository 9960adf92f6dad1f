// Preparing an image item's surfaces and pattern grid, its sizes and its plain draw.
#include "engine/PictureCollectionItem.h"

#include <SDL_error.h>
#include <SDL_surface.h>

#include <climits>

#include "engine/Color.h"
#include "engine/EngineError.h"
#include "engine/PictureCollection.h"

namespace brinecast {

namespace {

// Patterns along one side of a picture that was never prepared: whole cells,
// plus a last pattern that fits exactly without its trailing gap.
// Wide arithmetic: the sizes and skips come from the archive unchecked.
int PatternsAcross(int size, int pattern, int skip) {
  const long long cell = static_cast<long long>(pattern) + skip;
  if (pattern <= 0 || cell <= 0) return 0;
  long long n = size / cell;
  if (size % cell == pattern) ++n;
  return static_cast<int>(n);
}

bool PictureUsable(const std::optional<Picture>& picture) {
  return picture && !picture->Empty() &&
         (picture->sizesOnly || picture->pixels.size() >= static_cast<size_t>(picture->width) *
                                                              static_cast<size_t>(picture->height));
}

SDL_Surface* NewSurface(int width, int height) {
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
  if (s == nullptr)
    throw EngineError(std::string("Cannot create a picture surface: ") + SDL_GetError());
  return s;
}

}  // namespace

TPictureCollectionItem::TPictureCollectionItem(TPictureCollection* owner) : owner_(owner) {}

TPictureCollectionItem::~TPictureCollectionItem() {
  Finalize();
}

void TPictureCollectionItem::SetName(const std::string& name) {
  name_ = name;
  if (owner_ != nullptr) owner_->NameChanged(this);
}

int TPictureCollectionItem::Width() const {
  if (PatternWidth > 0) return PatternWidth;
  return Picture ? Picture->width : 0;
}

int TPictureCollectionItem::Height() const {
  if (PatternHeight > 0) return PatternHeight;
  return Picture ? Picture->height : 0;
}

int TPictureCollectionItem::PatternCount() const {
  if (Initialized()) return static_cast<int>(patterns_.size());
  if (!PictureUsable(Picture)) return 0;
  return PatternsAcross(Picture->width, Width(), SkipWidth) *
         PatternsAcross(Picture->height, Height(), SkipHeight);
}

TRect TPictureCollectionItem::PatternRect(int pattern) const {
  return PatternInRange(pattern) ? patterns_[pattern] : TRect{};
}

std::optional<uint32_t> TPictureCollectionItem::KeyRgb() const {
  if (!Transparent) return std::nullopt;
  return ColorToRgb(TransparentColor);
}

void TPictureCollectionItem::Prepare() {
  Finalize();
  if (!PictureUsable(Picture)) return;
  const brinecast::Picture& pic = *Picture;
  // Only the grid: it counts patterns like any prepared item and draws nothing.
  if (pic.sizesOnly) {
    BuildGrid(pic);
    return;
  }
  pixels_.reset(NewSurface(pic.width, pic.height));
  for (int y = 0; y < pic.height; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(pixels_->pixels) +
                                            static_cast<size_t>(y) * pixels_->pitch);
    const uint32_t* from = pic.pixels.data() + static_cast<size_t>(y) * pic.width;
    for (int x = 0; x < pic.width; ++x) row[x] = 0xFF000000u | (from[x] & 0xFFFFFFu);
  }
  plain_.reset(SDL_CreateRGBSurfaceWithFormatFrom(pixels_->pixels, pic.width, pic.height, 32,
                                                  pixels_->pitch, SDL_PIXELFORMAT_ARGB8888));
  if (plain_ == nullptr) {
    Finalize();
    throw EngineError(std::string("Cannot create a picture surface: ") + SDL_GetError());
  }
  const std::optional<uint32_t> key = KeyRgb();
  for (SDL_Surface* s : {pixels_.get(), plain_.get()}) {
    SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_NONE);
    if (key) SDL_SetColorKey(s, SDL_TRUE, 0xFF000000u | *key);
  }
  if (key) SDL_SetSurfaceRLE(plain_.get(), 1);
  BuildGrid(pic);
}

void TPictureCollectionItem::BuildGrid(const brinecast::Picture& pic) {
  const PatternGrid grid(*this, pic.width, pic.height);
  patterns_.reserve(static_cast<size_t>(grid.Count()));
  for (int64_t p = 0; p < grid.Count(); ++p) patterns_.push_back(grid.Rect(p));
  prepared_ = true;
}

void TPictureCollectionItem::Finalize() {
  prepared_ = false;
  patterns_.clear();
  plain_.reset();  // a view of the pixels: goes first
  pixels_.reset();
}

void TPictureCollectionItem::Draw(SDL_Surface* dest, int x, int y, int pattern) const {
  if (plain_ == nullptr || dest == nullptr || !PatternInRange(pattern)) return;
  const TRect& r = patterns_[pattern];
  // Wholly off the destination: also keeps SDL's clipping clear of int overflow.
  if (x >= dest->w || y >= dest->h || x <= -r.Width() || y <= -r.Height()) return;
  SDL_Rect from{r.Left, r.Top, r.Width(), r.Height()};
  SDL_Rect to{x, y, 0, 0};
  SDL_BlitSurface(plain_.get(), &from, dest, &to);
}

}  // namespace brinecast
