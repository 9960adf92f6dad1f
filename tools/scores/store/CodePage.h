// The game's texts are single bytes of the Western Windows code page; the server stores
// and shows them as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace brinecast::scores {

std::string CodePageToUtf8(std::string_view bytes);

// A code point below U+10000 added to `out` as UTF-8.
void AppendUtf8(std::string& out, char32_t c);

}  // namespace brinecast::scores
