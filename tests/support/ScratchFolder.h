// A fresh folder of a test's own under the system's temporary folder, removed with
// everything in it when the test is done.
#pragma once

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>

namespace brinecast::testing {

class ScratchFolder {
 public:
  // The folder is named prefix-XXXXXX; a folder that cannot be made fails the test loudly
  // rather than letting it write somewhere shared.
  explicit ScratchFolder(const std::string& prefix = "brinecast") {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      throw std::system_error(errno, std::generic_category(), "cannot make " + pattern);
    path_ = pattern;
    // Open to every user, so a test may also run parts of itself unprivileged.
    ::chmod(path_.c_str(), 0755);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder with a trailing separator, as the game passes its folders.
  std::string Dir() const { return path_.string() + "/"; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace brinecast::testing
