#include <SDL2/SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "Commands.h"
#include "LoadArchive.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

// Names come from the archive: keep them from leaving the folder or hiding as dot files.
std::string SafeFileName(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) c = '_';
  return out;
}

bool SavePng(const Picture& picture, const std::string& path) {
  const size_t w = static_cast<size_t>(picture.width);
  std::vector<uint8_t> rgb(w * static_cast<size_t>(picture.height) * 3);
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    rgb[3 * i] = static_cast<uint8_t>(picture.pixels[i] >> 16);
    rgb[3 * i + 1] = static_cast<uint8_t>(picture.pixels[i] >> 8);
    rgb[3 * i + 2] = static_cast<uint8_t>(picture.pixels[i]);
  }
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(rgb.data(), picture.width, picture.height, 24,
                                         static_cast<int>(w * 3), SDL_PIXELFORMAT_RGB24);
  if (!surface) return false;
  const bool saved = IMG_SavePNG(surface, path.c_str()) == 0;
  SDL_FreeSurface(surface);
  return saved;
}

}  // namespace

int ExtractCommand(const std::string& archive, const std::string& dir) {
  ArchiveContents contents;
  if (!LoadArchive(archive, contents)) return 1;
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (error) {
    std::fprintf(stderr, "Cannot create folder \"%s\". %s\n", dir.c_str(), error.message().c_str());
    return 1;
  }
  for (size_t i = 0; i < contents.items.size(); ++i) {
    const ArchiveItem& item = contents.items[i];
    if (!item.picture || item.picture->Empty()) continue;
    const std::string path =
        (std::filesystem::path(dir) / (std::to_string(i) + "-" + SafeFileName(item.name) + ".png"))
            .string();
    if (!SavePng(*item.picture, path)) {
      std::fprintf(stderr, "Cannot write \"%s\". %s\n", path.c_str(), SDL_GetError());
      return 1;
    }
  }
  return 0;
}

}  // namespace brinecast
