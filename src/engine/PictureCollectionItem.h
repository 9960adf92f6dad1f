// One named picture of an image list, cut into patterns and drawn plain, stretched or
// rotated onto a surface.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/Geometry.h"
#include "engine/ImageItemProperties.h"
#include "platform/SurfacePtr.h"

namespace brinecast {

class TPictureCollection;

// One named picture cut into a grid of equal patterns. Until prepared it has no
// surface and draws nothing; preparing copies the picture into an ARGB8888
// surface keyed on TransparentColor and builds the pattern grid.
class TPictureCollectionItem : public ImageItemProperties {
 public:
  explicit TPictureCollectionItem(TPictureCollection* owner = nullptr);
  ~TPictureCollectionItem();
  TPictureCollectionItem(const TPictureCollectionItem&) = delete;
  TPictureCollectionItem& operator=(const TPictureCollectionItem&) = delete;

  const std::string& Name() const { return name_; }
  // Also makes this the item Find returns for the name.
  void SetName(const std::string& name);

  // Pattern size: PatternWidth/Height when above 0, else the picture's.
  int Width() const;
  int Height() const;
  // The prepared grid's size, or before preparing the count the picture allows.
  int PatternCount() const;
  // The pattern's rectangle on the item's surface (prepared items only).
  TRect PatternRect(int pattern) const;

  void Prepare();
  void Finalize();
  bool Initialized() const { return prepared_; }
  // The prepared pixels (ARGB8888, keyed), readable without locking; none for a picture read
  // for its sizes only.
  SDL_Surface* Surface() const { return pixels_.get(); }

  // Each draws nothing for an unprepared item or a pattern out of range.
  void Draw(SDL_Surface* dest, int x, int y, int pattern) const;
  void DrawStretched(SDL_Surface* dest, const TRect& rect, int pattern) const;
  // Scaled to width x height and turned clockwise by angle (256ths of a turn)
  // about the point (centerX * width, centerY * height), which lands on (x, y).
  void DrawRotated(SDL_Surface* dest, int x, int y, int width, int height, int pattern,
                   double centerX, double centerY, int angle) const;

 private:
  bool PatternInRange(int pattern) const {
    return pattern >= 0 && pattern < static_cast<int>(patterns_.size());
  }
  void BuildGrid(const brinecast::Picture& pic);
  // The key as an RGB value, if transparency applies.
  std::optional<uint32_t> KeyRgb() const;

  TPictureCollection* owner_;
  std::string name_;
  // Owns the pixels; scaled blits and the rotated draw read it.
  SurfacePtr pixels_;
  // A view of the same pixels for plain blits only, run-length encoded on its
  // key: much faster for cut-out sprites, and kept apart because scaling would
  // switch a surface's blit mapping to a slower path for good.
  SurfacePtr plain_;
  std::vector<TRect> patterns_;
  bool prepared_ = false;
};

}  // namespace brinecast
