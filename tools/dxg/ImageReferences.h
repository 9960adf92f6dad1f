// Inlining the pictures an SVG references so the rasteriser can draw them from memory.
#pragma once

#include <filesystem>
#include <string>

namespace brinecast {

// Replaces each relative href of an <image> in `svg` (read from `file`) by a data: URI
// holding the referenced .svg or .png, nested SVGs inlined the same way, because the
// rasteriser reads the text from memory and cannot follow file references. References
// must stay inside `root`; absolute URLs and data: URIs are left alone. Failures throw
// std::runtime_error naming the reference.
std::string InlineImageReferences(const std::string& svg, const std::filesystem::path& file,
                                  const std::filesystem::path& root);

}  // namespace brinecast
