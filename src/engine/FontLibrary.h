// The game's fonts by face name, size and weight, opened once and kept for the run.
#pragma once

#include <map>
#include <string>
#include <tuple>

typedef struct _TTF_Font TTF_Font;

namespace brinecast {

// A face file as fontconfig matched it for a requested name and style.
struct FontFace {
  std::string file;
  int index = 0;               // face within a collection file
  bool syntheticBold = false;  // bold was asked for but the match has no bold face
};

// The process's font machinery for one owner (the main window, a test): holds the
// SDL_ttf reference, resolves face names through fontconfig with the game's aliases, and
// keeps every opened font for its lifetime, so fonts are opened once per size and style.
class TFontLibrary {
 public:
  TFontLibrary();  // throws EngineError if the font renderer cannot start
  ~TFontLibrary();
  TFontLibrary(const TFontLibrary&) = delete;
  TFontLibrary& operator=(const TFontLibrary&) = delete;

  // The face fontconfig picks for `name` (its substitute when that face is not installed).
  // Throws EngineError "Font '<name>' not found" when the system has no usable face.
  const FontFace& Resolve(const std::string& name, bool bold);

  // The font for `name` at `points` (96 dpi) in the given style; owned by the library.
  // Throws EngineError when the face file cannot be opened.
  TTF_Font* Open(const std::string& name, int points, bool bold);

  int OpenedFonts() const { return static_cast<int>(fonts_.size()); }

 private:
  using FaceKey = std::pair<std::string, bool>;
  using FontKey = std::tuple<std::string, int, int, bool>;  // file, index, points, bold

  void LoadAliases();

  bool aliasesLoaded_ = false;
  std::map<FaceKey, FontFace> faces_;
  std::map<FontKey, TTF_Font*> fonts_;
};

}  // namespace brinecast
