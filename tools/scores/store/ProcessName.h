// A name for this process among all those sharing one database: which machine, which
// process, and a random part, so a restarted process with a reused pid is another name.
#pragma once

#include <string>

namespace brinecast::scores {

std::string UniqueProcessName();

}  // namespace brinecast::scores
