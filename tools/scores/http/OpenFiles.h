// How many files (sockets among them) the process may hold open: raised to what the system
// allows, since every connection held costs one.
#pragma once

#include <cstddef>

namespace brinecast::scores {

// Raises the soft limit to the hard one; gives back the limit then in force.
size_t RaiseOpenFileLimit();

}  // namespace brinecast::scores
