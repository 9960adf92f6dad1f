// The bundled faces: each family the game names, under its own name and its alias, with a
// regular and a bold file.
#include "platform/FontMatchTable.h"

#include <array>
#include <string>

#include "platform/EqualsNoCase.h"

namespace brinecast {
namespace {

struct BundledFamily {
  std::string_view family;
  std::string_view alias;  // the name the game asks for
  std::string_view regular;
  std::string_view bold;
};

constexpr std::array kFamilies{
    BundledFamily{"Comic Neue", "Comic Sans MS", "ComicNeue-Regular.otf", "ComicNeue-Bold.otf"},
    BundledFamily{"Liberation Sans", "Arial", "LiberationSans-Regular.ttf",
                  "LiberationSans-Bold.ttf"},
    BundledFamily{"Liberation Mono", "Courier New", "LiberationMono-Regular.ttf",
                  "LiberationMono-Bold.ttf"},
};

// The weights the system's lookup reports for these faces.
constexpr int kRegularWeight = 80;
constexpr int kBoldWeight = 200;

}  // namespace

std::optional<FontMatch> FindBundledFont(std::string_view folder, std::string_view family,
                                         bool bold) {
  for (const BundledFamily& entry : kFamilies) {
    if (!EqualsNoCase(entry.family, family) && !EqualsNoCase(entry.alias, family)) continue;
    FontMatch match;
    match.file = std::string(folder);
    if (!match.file.empty() && match.file.back() != '/') match.file += '/';
    match.file += bold ? entry.bold : entry.regular;
    match.weight = bold ? kBoldWeight : kRegularWeight;
    return match;
  }
  return std::nullopt;
}

std::optional<FontMatch> FindBundledFontPattern(std::string_view folder, std::string_view pattern) {
  const std::size_t colon = pattern.find(':');
  if (colon == std::string_view::npos) return FindBundledFont(folder, pattern, false);
  const std::string_view style = pattern.substr(colon + 1);
  if (!style.empty() && !EqualsNoCase(style, "bold")) return std::nullopt;
  return FindBundledFont(folder, pattern.substr(0, colon), !style.empty());
}

}  // namespace brinecast
