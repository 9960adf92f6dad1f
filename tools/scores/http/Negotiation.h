// The two request headers a file's reply depends on: which coding the client takes, and
// whether the copy it holds is still the current one.
#pragma once

#include <string_view>

namespace brinecast::scores {

enum class Coding { kIdentity, kGzip, kBrotli };

// Brotli when the client takes it and the file has it, then gzip, else the plain file. A
// coding is taken when named with a weight above zero, or covered by "*" with one.
Coding ChooseCoding(std::string_view acceptEncoding, bool haveBrotli, bool haveGzip);

// The Content-Encoding name of a coding; empty for the plain file.
std::string_view CodingName(Coding coding);

// True when If-None-Match names `etag` (a quoted tag), or is "*"; weak tags match too.
bool EtagMatches(std::string_view ifNoneMatch, std::string_view etag);

}  // namespace brinecast::scores
