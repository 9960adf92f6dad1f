// The pack command's manifest: one picture per line with its name, source, pattern
// geometry, key and mirroring.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/PatternGrid.h"

namespace brinecast {

// A failure tied to a manifest line; the message already names "FILE:LINE:".
class ManifestError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct ManifestEntry : PatternGeometry {
  int line = 0;
  std::string name;
  std::string source;           // as written, relative to the manifest's folder
  std::optional<uint32_t> key;  // 0x00RRGGBB; none for an opaque item
  bool mirror = false;          // each pattern cell flipped left-right
};

// Parses manifest text; `path` only names the file in messages.
std::vector<ManifestEntry> ParseManifest(const std::string& text, const std::string& path);

}  // namespace brinecast
