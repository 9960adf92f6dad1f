// One spelling for every way the score table could show a name alike: what a ban is kept and
// matched as, so "Evil ", "EVIL" and "evil" are one name.
#pragma once

#include <string>
#include <string_view>

namespace brinecast::scores {

// The name in small letters (of every letter a name can hold), with the spaces around it left
// out and each run of spaces inside it made one, as a page shows them. Bytes that are no UTF-8
// are kept as they are.
std::string NameKey(std::string_view name);

}  // namespace brinecast::scores
