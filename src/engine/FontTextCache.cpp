// Rasterising texts once and keeping the most recently used images.
#include "engine/FontTextCache.h"

#include <SDL_ttf.h>

#include <algorithm>
#include <cstring>

namespace brinecast {

namespace {

// One flat key: the font's address and the colour as raw bytes, then the text.
std::string MakeKey(TTF_Font* font, uint32_t rgb, std::string_view text) {
  std::string key(sizeof font + sizeof rgb, '\0');
  std::memcpy(key.data(), &font, sizeof font);
  std::memcpy(key.data() + sizeof font, &rgb, sizeof rgb);
  key.append(text);
  return key;
}

}  // namespace

TFontTextCache::TFontTextCache(std::size_t capacity)
    : capacity_(std::max<std::size_t>(capacity, 1)) {}

SDL_Surface* TFontTextCache::Get(TTF_Font* font, uint32_t rgb, std::string_view text) {
  std::string key = MakeKey(font, rgb, text);
  if (auto it = index_.find(key); it != index_.end()) {
    entries_.splice(entries_.begin(), entries_, it->second);
    return it->second->image.get();
  }

  // SDL_ttf takes C strings: a text ends at its first NUL.
  std::string str(text.substr(0, text.find('\0')));
  SDL_Surface* image = nullptr;
  if (!str.empty()) {
    SDL_Color color{static_cast<Uint8>(rgb & 0xFF), static_cast<Uint8>((rgb >> 8) & 0xFF),
                    static_cast<Uint8>((rgb >> 16) & 0xFF), 0xFF};
    image = TTF_RenderUTF8_Blended(font, str.c_str(), color);
    ++renders_;
    if (image) SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_BLEND);
  }

  if (entries_.size() >= capacity_) {
    index_.erase(entries_.back().key);
    entries_.pop_back();
  }
  entries_.push_front(Entry{std::move(key), {image, {}}});
  index_.emplace(entries_.front().key, entries_.begin());
  return image;
}

}  // namespace brinecast
