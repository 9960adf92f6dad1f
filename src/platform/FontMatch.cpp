// Font lookup through fontconfig for the game's text and the platform's message box.
#include "platform/FontMatch.h"

#include <fontconfig/fontconfig.h>

#include <memory>

static_assert(brinecast::kFontWeightDemibold == FC_WEIGHT_DEMIBOLD);

namespace brinecast {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using PatternPtr = std::unique_ptr<FcPattern, PatternDeleter>;

std::optional<FontMatch> Match(PatternPtr wanted) {
  if (!wanted) return std::nullopt;
  FcConfigSubstitute(nullptr, wanted.get(), FcMatchPattern);
  FcDefaultSubstitute(wanted.get());
  FcResult result = FcResultNoMatch;
  PatternPtr match(FcFontMatch(nullptr, wanted.get(), &result));
  FcChar8* file = nullptr;
  if (!match || FcPatternGetString(match.get(), FC_FILE, 0, &file) != FcResultMatch)
    return std::nullopt;
  FontMatch found;
  found.file = reinterpret_cast<const char*>(file);
  FcPatternGetInteger(match.get(), FC_INDEX, 0, &found.index);
  found.weight = FC_WEIGHT_REGULAR;
  FcPatternGetInteger(match.get(), FC_WEIGHT, 0, &found.weight);
  return found;
}

}  // namespace

// FcFini is never called: it aborts while anything still references a config.
void LoadFontAliases(std::string_view xml) {
  const std::string text(xml);
  FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(),
                                 reinterpret_cast<const FcChar8*>(text.c_str()), FcTrue);
}

std::optional<FontMatch> MatchFontPattern(const std::string& pattern) {
  return Match(PatternPtr(FcNameParse(reinterpret_cast<const FcChar8*>(pattern.c_str()))));
}

std::optional<FontMatch> MatchFontFamily(const std::string& family, bool bold) {
  PatternPtr pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, FC_SLANT_ROMAN);
  FcPatternAddBool(pattern.get(), FC_OUTLINE, FcTrue);
  return Match(std::move(pattern));
}

}  // namespace brinecast
