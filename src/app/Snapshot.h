#pragma once

#include <string>
#include <vector>

namespace brinecast {

class TForm1;

// The game's state as one line of JSON, every key always present in a fixed
// order (null for what does not exist yet). `opened` lists the URLs and files
// opened so far, which only the platform knows.
std::string Snapshot(TForm1& form, const std::vector<std::string>& opened);

}  // namespace brinecast
