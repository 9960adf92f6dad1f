// The font library: faces found by name and style, fonts opened once.
#include <SDL_ttf.h>
#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/EngineError.h"
#include "engine/FontAliases.h"
#include "engine/FontLibrary.h"

namespace brinecast {
namespace {

TEST(FontLibrary, GameFacesResolveToTheirInstallableStandIns) {
  const struct {
    const char* name;
    bool bold;
    const char* file;
  } cases[] = {
      {"Comic Sans MS", false, "ComicNeue-Regular.otf"},
      {"Comic Sans MS", true, "ComicNeue-Bold.otf"},
      {"Arial", false, "LiberationSans-Regular.ttf"},
      {"Arial", true, "LiberationSans-Bold.ttf"},
      {"Courier New", false, "LiberationMono-Regular.ttf"},
      {"Courier New", true, "LiberationMono-Bold.ttf"},
  };
  TFontLibrary fonts;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const FontFace& face = fonts.Resolve(c.name, c.bold);
    EXPECT_EQ(std::filesystem::path(face.file).filename(), c.file);
    EXPECT_FALSE(face.syntheticBold);
  }
}

TEST(FontLibrary, MissingFaceFallsBackToASubstituteAtTheSameSize) {
  TFontLibrary fonts;
  const FontFace& face = fonts.Resolve("Brinecast No Such Face", false);
  EXPECT_TRUE(std::filesystem::exists(face.file));
  TTF_Font* small = fonts.Open("Brinecast No Such Face", 16, false);
  TTF_Font* large = fonts.Open("Brinecast No Such Face", 32, false);
  ASSERT_NE(small, nullptr);
  ASSERT_NE(large, nullptr);
  EXPECT_NEAR(TTF_FontHeight(large), 2 * TTF_FontHeight(small), 2);
}

TEST(FontLibrary, OpensEachFaceSizeAndStyleOnce) {
  TFontLibrary fonts;
  TTF_Font* score = fonts.Open("Arial", 14, false);
  EXPECT_EQ(fonts.Open("Arial", 14, false), score);
  EXPECT_NE(fonts.Open("Arial", 20, false), score);
  EXPECT_NE(fonts.Open("Arial", 14, true), score);
  EXPECT_EQ(fonts.OpenedFonts(), 3);
  // Comic Neue's bold at 25 pt is the size the layout was made for.
  int w = 0, h = 0;
  ASSERT_EQ(TTF_SizeUTF8(fonts.Open("Comic Sans MS", 25, true), "Score: 12345", &w, &h), 0);
  EXPECT_NEAR(w, 178, 3);
  EXPECT_NEAR(h, 39, 2);
}

// On a bare config, without the system's own aliases, only the game's rules can map the
// asked-for names onto the installed stand-ins.
TEST(FontAliases, MapTheGameFacesOnABareConfig) {
  FcConfig* config = FcConfigCreate();
  std::string xml(kFontAliasesXml);
  ASSERT_TRUE(FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(xml.c_str()),
                                             FcTrue));
  ASSERT_TRUE(FcConfigAppFontAddDir(config, reinterpret_cast<const FcChar8*>("/usr/share/fonts")));
  const std::pair<const char*, const char*> cases[] = {
      {"Comic Sans MS", "Comic Neue"},
      {"Arial", "Liberation Sans"},
      {"Courier New", "Liberation Mono"},
  };
  for (const auto& [asked, family] : cases) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(asked));
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* got = nullptr;
    ASSERT_NE(match, nullptr);
    ASSERT_EQ(FcPatternGetString(match, FC_FAMILY, 0, &got), FcResultMatch);
    EXPECT_STREQ(reinterpret_cast<const char*>(got), family) << asked;
    FcPatternDestroy(match);
    FcPatternDestroy(pattern);
  }
  FcConfigDestroy(config);
}

TEST(FontAliases, BuiltInCopyMatchesTheAssetFile) {
  std::ifstream in(BRINECAST_SOURCE_DIR "/assets/fonts/fonts.conf", std::ios::binary);
  ASSERT_TRUE(in);
  std::stringstream file;
  file << in.rdbuf();
  EXPECT_EQ(file.str(), kFontAliasesXml);
}

}  // namespace
}  // namespace brinecast
