// The game's fonts by face name, size and weight: the aliases loaded once, faces resolved
// through the platform's font lookup, opened fonts kept for the whole run.
#include "engine/FontLibrary.h"

#include <SDL_ttf.h>

#include <optional>

#include "engine/EngineError.h"
#include "engine/FontAliases.h"
#include "platform/FontMatch.h"

namespace brinecast {

namespace {

constexpr unsigned kDpi = 96;

}  // namespace

TFontLibrary::TFontLibrary() {
  if (TTF_Init() != 0) {
    throw EngineError(std::string("Cannot start the font renderer. ") + TTF_GetError());
  }
}

TFontLibrary::~TFontLibrary() {
  for (auto& [key, font] : fonts_) TTF_CloseFont(font);
  TTF_Quit();
}

void TFontLibrary::LoadAliases() {
  if (aliasesLoaded_) return;
  aliasesLoaded_ = true;
  // Another library in the same process may have added the same rules already; the
  // repeated aliases match identically, so loading them again is harmless.
  LoadFontAliases(kFontAliasesXml);
}

const FontFace& TFontLibrary::Resolve(const std::string& name, bool bold) {
  FaceKey key{name, bold};
  if (auto it = faces_.find(key); it != faces_.end()) return it->second;
  LoadAliases();

  const std::optional<FontMatch> match = MatchFontFamily(name, bold);
  if (!match) throw EngineError("Font '" + name + "' not found");
  FontFace face;
  face.file = match->file;
  face.index = match->index;
  face.syntheticBold = bold && match->weight < kFontWeightDemibold;
  return faces_.emplace(key, std::move(face)).first->second;
}

TTF_Font* TFontLibrary::Open(const std::string& name, int points, bool bold) {
  const FontFace& face = Resolve(name, bold);
  FontKey key{face.file, face.index, points, face.syntheticBold};
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second;

  TTF_Font* font = TTF_OpenFontIndexDPI(face.file.c_str(), points, face.index, kDpi, kDpi);
  if (!font) {
    throw EngineError("Cannot open font \"" + face.file + "\". " + TTF_GetError());
  }
  if (face.syntheticBold) TTF_SetFontStyle(font, TTF_STYLE_BOLD);
  fonts_.emplace(key, font);
  return font;
}

}  // namespace brinecast
