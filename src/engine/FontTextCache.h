// A cache of rendered texts, so a text drawn every frame is rasterised once.
#pragma once

#include <SDL_surface.h>

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/SurfacePtr.h"

typedef struct _TTF_Font TTF_Font;

namespace brinecast {

// Rendered texts by (font, colour, text), so a text drawn every frame is rasterised once
// and then only blitted. Least recently used images go first when the cache is full.
class TFontTextCache {
 public:
  static constexpr std::size_t kDefaultCapacity = 256;

  explicit TFontTextCache(std::size_t capacity = kDefaultCapacity);

  // The blended ARGB image of UTF-8 `text`, or nullptr for a text with nothing to draw.
  // Owned by the cache: valid until the next call.
  SDL_Surface* Get(TTF_Font* font, uint32_t rgb, std::string_view text);

  std::size_t Size() const { return index_.size(); }
  // How many texts were rasterised so far (cache misses).
  std::size_t Renders() const { return renders_; }

 private:
  struct Entry {
    std::string key;
    SurfacePtr image;
  };

  std::size_t capacity_;
  std::size_t renders_ = 0;
  std::list<Entry> entries_;  // most recently used first
  std::unordered_map<std::string_view, std::list<Entry>::iterator> index_;
};

}  // namespace brinecast
