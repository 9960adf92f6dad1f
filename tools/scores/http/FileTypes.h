// What a served file is, read off its name: its media type, and whether its name carries a
// hash of its content (so it never changes and may be kept by browsers for good).
#pragma once

#include <string_view>

namespace brinecast::scores {

// application/octet-stream for a name whose kind is unknown.
std::string_view MediaType(std::string_view name);

// A name such as "brinecast.3f9a1c2b.wasm": one of the dot-separated parts between the first
// and the extension is a run of 8 or more hexadecimal digits.
bool HashedName(std::string_view name);

}  // namespace brinecast::scores
