// Reads a built web site from its folder into memory once, at start-up.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "scores/http/StaticFiles.h"

namespace brinecast::scores {

// More than this is not a site to keep in memory.
inline constexpr size_t kSiteMaxBytes = size_t{256} << 20U;
inline constexpr size_t kSiteMaxFiles = 10'000;

// Every regular file under `folder`, except hidden ones (a part starting with '.'); a
// symbolic link is followed only to a file inside the folder. Nothing, with `error` set,
// when the folder cannot be read or holds more than the limits above.
std::optional<StaticFiles> ReadSiteFolder(const std::filesystem::path& folder,
                                          const std::string& securityPolicy, std::string& error);

}  // namespace brinecast::scores
