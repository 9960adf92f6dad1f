// Links are resolved here, once: the served names are then only names, and a link made later
// reaches nothing.
#include "scores/http/SiteFolder.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace brinecast::scores {

namespace {

namespace fs = std::filesystem;

bool Hidden(const fs::path& relative) {
  for (const fs::path& part : relative) {
    if (part.string().starts_with('.')) return true;
  }
  return false;
}

bool Inside(const fs::path& root, const fs::path& path) {
  const auto [rootEnd, pathAt] = std::mismatch(root.begin(), root.end(), path.begin(), path.end());
  return rootEnd == root.end();
}

std::optional<std::string> ReadWhole(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace

std::optional<StaticFiles> ReadSiteFolder(const fs::path& folder, const std::string& securityPolicy,
                                          std::string& error) {
  std::error_code failed;
  const fs::path root = fs::canonical(folder, failed);
  if (failed || !fs::is_directory(root, failed)) {
    error = "the web game's folder " + folder.string() + " cannot be read";
    return std::nullopt;
  }
  StaticFiles site(securityPolicy);
  fs::recursive_directory_iterator walk(root, failed);
  for (; !failed && walk != fs::recursive_directory_iterator(); walk.increment(failed)) {
    const fs::path relative = walk->path().lexically_relative(root);
    if (Hidden(relative)) {
      if (walk->is_directory(failed)) walk.disable_recursion_pending();
      continue;
    }
    fs::path file = walk->path();
    if (walk->is_symlink(failed)) {
      file = fs::canonical(file, failed);
      if (failed || !Inside(root, file)) {
        failed.clear();
        continue;
      }
    }
    if (!fs::is_regular_file(file, failed)) continue;
    const std::optional<std::string> bytes = ReadWhole(file);
    if (!bytes) {
      error = "cannot read " + file.string();
      return std::nullopt;
    }
    if (site.Count() >= kSiteMaxFiles || site.Bytes() + bytes->size() > kSiteMaxBytes) {
      error = "the web game's folder " + folder.string() + " holds more than " +
              std::to_string(kSiteMaxFiles) + " files or " + std::to_string(kSiteMaxBytes >> 20U) +
              " MiB";
      return std::nullopt;
    }
    site.Add(relative.generic_string(), *bytes);
  }
  if (failed) {
    error = "cannot read the web game's folder " + folder.string() + ": " + failed.message();
    return std::nullopt;
  }
  return site;
}

}  // namespace brinecast::scores
