// The game's texts are single bytes of the Western Windows code page; the server stores
// and shows them as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace brinecast::scores {

std::string CodePageToUtf8(std::string_view bytes);

}  // namespace brinecast::scores
