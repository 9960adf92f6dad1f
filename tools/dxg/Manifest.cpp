// Reading the pack command's manifest, every bad line reported with its file and number.
#include "Manifest.h"

#include <charconv>
#include <sstream>
#include <string_view>

namespace brinecast {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

std::optional<int> Number(std::string_view field) {
  int value = 0;
  auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
  return value;
}

std::optional<uint32_t> HexColor(std::string_view field) {
  if (field.size() != 7 || field[0] != '#') return std::nullopt;
  uint32_t value = 0;
  auto [end, error] = std::from_chars(field.data() + 1, field.data() + 7, value, 16);
  if (error != std::errc() || end != field.data() + 7) return std::nullopt;
  return value;
}

}  // namespace

std::vector<ManifestEntry> ParseManifest(const std::string& text, const std::string& path) {
  std::vector<ManifestEntry> entries;
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  while (std::getline(lines, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const auto fields = Fields(line);
    if (fields.empty() || fields[0].front() == ';') continue;
    auto fail = [&](const std::string& message) -> ManifestError {
      return ManifestError(path + ":" + std::to_string(number) + ": " + message);
    };
    if (fields.size() != 4 && fields.size() != 6 && fields.size() != 7 && fields.size() != 8)
      throw fail("expected NAME SOURCE PATTERN_W PATTERN_H [SKIP_W SKIP_H [KEY [mirror]]], got " +
                 std::to_string(fields.size()) + " fields");
    ManifestEntry entry;
    entry.line = number;
    entry.name = fields[0];
    entry.source = fields[1];
    int* targets[] = {&entry.PatternWidth, &entry.PatternHeight, &entry.SkipWidth,
                      &entry.SkipHeight};
    for (size_t i = 2; i < std::min<size_t>(fields.size(), 6); ++i) {
      auto value = Number(fields[i]);
      if (!value || *value < 0)
        throw fail("\"" + std::string(fields[i]) + "\" is not a whole number of pixels");
      *targets[i - 2] = *value;
    }
    if (fields.size() >= 7 && fields[6] != "opaque") {
      entry.key = HexColor(fields[6]);
      if (!entry.key)
        throw fail("key \"" + std::string(fields[6]) + "\" is neither #RRGGBB nor opaque");
    }
    if (fields.size() == 8) {
      if (fields[7] != "mirror")
        throw fail("\"" + std::string(fields[7]) + "\" after the key is not mirror");
      entry.mirror = true;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace brinecast
