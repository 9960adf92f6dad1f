// The pack command: a manifest's pictures rasterised, checked, flattened onto their keys
// and written as one archive.
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "Commands.h"
#include "Flatten.h"
#include "Manifest.h"
#include "MirrorCells.h"
#include "SourceImage.h"
#include "engine/Color.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;

// The sixteen fixed entries a fresh colour table starts with, as red, green, blue.
constexpr std::array<std::pair<int, std::array<uint8_t, 3>>, 16> kFixedColors{{
    {0, {0, 0, 0}},
    {1, {128, 0, 0}},
    {2, {0, 128, 0}},
    {3, {128, 128, 0}},
    {4, {0, 0, 128}},
    {5, {128, 0, 128}},
    {6, {0, 128, 128}},
    {7, {192, 192, 192}},
    {248, {128, 128, 128}},
    {249, {255, 0, 0}},
    {250, {0, 255, 0}},
    {251, {255, 255, 0}},
    {252, {0, 0, 255}},
    {253, {255, 0, 255}},
    {254, {0, 255, 255}},
    {255, {255, 255, 255}},
}};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read \"" + path.string() + "\"");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The game's font aliases sit in fonts/fonts.conf beside or above the manifest's folder.
void LoadFontAliasesNear(const fs::path& folder) {
  for (const fs::path& candidate :
       {folder / "fonts" / "fonts.conf", folder.parent_path() / "fonts" / "fonts.conf"}) {
    if (fs::exists(candidate)) {
      LoadFontAliases(fs::absolute(candidate).string());
      return;
    }
  }
}

// Each number of the line must fit the picture it cuts, so no later step can reach outside it.
void CheckGeometry(const ManifestEntry& entry, const SourceImage& image) {
  const std::pair<const char*, std::pair<int, int>> checks[] = {
      {"pattern width", {entry.PatternWidth, image.width}},
      {"pattern height", {entry.PatternHeight, image.height}},
      {"skip width", {entry.SkipWidth, image.width}},
      {"skip height", {entry.SkipHeight, image.height}},
  };
  for (const auto& [what, values] : checks) {
    const auto [value, limit] = values;
    if (value > limit)
      throw std::runtime_error(std::string(what) + " " + std::to_string(value) +
                               " is larger than the picture (" + std::to_string(image.width) +
                               " x " + std::to_string(image.height) + ")");
  }
}

ArchiveItem MakeItem(const ManifestEntry& entry, const fs::path& folder, const fs::path& root,
                     const std::string& where) {
  ArchiveItem item;
  item.name = entry.name;
  static_cast<PatternGeometry&>(item) = entry;
  item.Transparent = entry.key.has_value();
  if (entry.key) {
    item.TransparentColor = SwapRedBlue(*entry.key);
  }
  try {
    SourceImage image = LoadSourceImage((folder / entry.source).string(), root.string());
    CheckGeometry(entry, image);
    if (entry.mirror) MirrorCells(image, entry);
    item.Picture = Flatten(image, entry.key);
  } catch (const std::exception& e) {
    throw std::runtime_error(where + ":" + std::to_string(entry.line) + ": " + e.what());
  }
  return item;
}

// Written beside the target and renamed over it, so a failed pack leaves no half archive;
// the temporary file goes on every failure.
void WriteAtomically(const fs::path& out, const std::vector<uint8_t>& bytes) {
  if (out.has_parent_path()) fs::create_directories(out.parent_path());
  const fs::path temp = out.string() + ".tmp" + std::to_string(::getpid());
  try {
    std::ofstream file(temp, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) throw std::runtime_error("cannot write \"" + temp.string() + "\"");
    fs::rename(temp, out);
  } catch (...) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    throw;
  }
}

}  // namespace

int PackCommand(const std::string& manifest, const std::string& out) {
  try {
    const fs::path folder = fs::path(manifest).parent_path();
    // Pictures may share art across the archives' folders, but nothing outside them.
    const fs::path root = fs::absolute(manifest).parent_path().parent_path();
    const auto entries = ParseManifest(ReadText(manifest), manifest);
    LoadFontAliasesNear(folder);
    ArchiveContents contents;
    for (const auto& [index, rgb] : kFixedColors) {
      const size_t at = static_cast<size_t>(index) * 4;
      contents.colorTable[at] = rgb[2];
      contents.colorTable[at + 1] = rgb[1];
      contents.colorTable[at + 2] = rgb[0];
    }
    for (const ManifestEntry& entry : entries)
      contents.items.push_back(MakeItem(entry, folder, root, manifest));
    WriteAtomically(out, WriteDxgArchive(contents));
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}

}  // namespace brinecast
