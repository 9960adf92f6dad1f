// The extract command: each item's picture written as a PNG file of its own, named by its
// index and name, into a folder.
#include <SDL2/SDL_image.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
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

// The longest file name the folder takes, in bytes.
size_t NameLimit(const std::string& dir) {
  const long limit = ::pathconf(dir.c_str(), _PC_NAME_MAX);
  return limit > 0 ? static_cast<size_t>(limit) : 255;
}

// "<index>-<name>.png", the name cut short (on a character boundary) when the whole would
// not fit the folder; the index alone keeps shortened names apart.
std::string OutputName(size_t index, const std::string& name, size_t limit) {
  const std::string prefix = std::to_string(index) + "-";
  const std::string suffix = ".png";
  std::string safe = SafeFileName(name);
  const size_t room =
      limit > prefix.size() + suffix.size() ? limit - prefix.size() - suffix.size() : 0;
  if (safe.size() > room) {
    size_t cut = room;
    while (cut > 0 && (static_cast<unsigned char>(safe[cut]) & 0xC0) == 0x80) --cut;
    safe.resize(cut);
  }
  return prefix + safe + suffix;
}

// Created afresh, never through a link or over an existing file, so a link planted in the
// folder cannot send a picture elsewhere. Returns the reason on failure.
std::string SavePng(const Picture& picture, const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return std::strerror(errno);
  FILE* file = ::fdopen(fd, "wb");
  if (!file) {
    const std::string reason = std::strerror(errno);
    ::close(fd);
    return reason;
  }
  SDL_RWops* out = SDL_RWFromFP(file, SDL_TRUE);
  if (!out) {
    std::fclose(file);
    return SDL_GetError();
  }
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
  const bool saved = surface && IMG_SavePNG_RW(surface, out, 0) == 0;
  std::string reason = saved ? "" : SDL_GetError();
  SDL_FreeSurface(surface);
  if (SDL_RWclose(out) != 0 && saved) reason = SDL_GetError();
  if (!reason.empty()) ::unlink(path.c_str());
  return reason;
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
  const size_t limit = NameLimit(dir);
  bool allWritten = true;
  for (size_t i = 0; i < contents.items.size(); ++i) {
    const ArchiveItem& item = contents.items[i];
    if (!item.Picture || item.Picture->Empty()) continue;
    const std::string path =
        (std::filesystem::path(dir) / OutputName(i, item.name, limit)).string();
    const std::string reason = SavePng(*item.Picture, path);
    if (!reason.empty()) {
      std::fprintf(stderr, "Cannot write \"%s\". %s\n", path.c_str(), reason.c_str());
      allWritten = false;
    }
  }
  return allWritten ? 0 : 1;
}

}  // namespace brinecast
