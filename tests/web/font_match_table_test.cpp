// The web build finds the game's faces in its own folder by a table; the desktop asks
// fontconfig. Both must pick the same file and weight for every face the game asks for, or
// text would be drawn differently.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine/FontAliases.h"
#include "platform/FontMatch.h"
#include "platform/FontMatchTable.h"

namespace brinecast {
namespace {

std::string Name(const std::string& file) {
  return std::filesystem::path(file).filename();
}

TEST(FontMatchTable, PicksTheFacesTheSystemLookupPicks) {
  LoadFontAliases(kFontAliasesXml);
  for (const char* family : {"Comic Sans MS", "Arial", "Courier New", "Comic Neue",
                             "Liberation Sans", "Liberation Mono", "arial"}) {
    for (bool bold : {false, true}) {
      SCOPED_TRACE(std::string(family) + (bold ? " bold" : " regular"));
      const auto system = MatchFontFamily(family, bold);
      const auto bundled = FindBundledFont("/fonts", family, bold);
      ASSERT_TRUE(system.has_value());
      ASSERT_TRUE(bundled.has_value());
      EXPECT_EQ(bundled->file, "/fonts/" + Name(system->file));
      EXPECT_EQ(bundled->index, system->index);
      EXPECT_EQ(bundled->weight, system->weight);
    }
  }
}

TEST(FontMatchTable, PatternsNameAFamilyAndMaybeBold) {
  struct Case {
    const char* pattern;
    const char* file;  // empty: no face
  };
  const Case cases[] = {
      {"Liberation Sans:bold", "fonts/LiberationSans-Bold.ttf"},
      {"Liberation Sans", "fonts/LiberationSans-Regular.ttf"},
      {"Comic Sans MS:Bold", "fonts/ComicNeue-Bold.otf"},
      {"Liberation Sans:italic", ""},
      {"Papyrus", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    const auto found = FindBundledFontPattern("fonts", c.pattern);
    EXPECT_EQ(found ? found->file : std::string(), c.file) << c.pattern;
    if (found && c.file[0] != '\0') {
      const auto system = MatchFontPattern(c.pattern);
      ASSERT_TRUE(system.has_value()) << c.pattern;
      EXPECT_EQ(Name(found->file), Name(system->file)) << c.pattern;
    }
  }
}

}  // namespace
}  // namespace brinecast
