// A scratch folder of stand-in opener scripts, put first on PATH for the test's lifetime.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace brinecast {

class OpenerScripts {
 public:
  OpenerScripts() {
    std::string pattern = (std::filesystem::temp_directory_path() / "brinecast-open.XXXXXX");
    if (mkdtemp(pattern.data()) != nullptr) dir_ = pattern;
    const char* path = std::getenv("PATH");
    if (path != nullptr) oldPath_ = path;
    // Only this folder: no real xdg-open can be found and start a browser.
    setenv("PATH", (dir_ / "bin").c_str(), 1);
    std::filesystem::create_directories(dir_ / "bin");
  }
  ~OpenerScripts() {
    setenv("PATH", oldPath_.c_str(), 1);
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  OpenerScripts(const OpenerScripts&) = delete;
  OpenerScripts& operator=(const OpenerScripts&) = delete;

  // A shell script named name on PATH; it writes its arguments, one a line, to Arguments(),
  // and runs body with the system's PATH.
  void Add(const std::string& name, const std::string& body, bool executable = true) const {
    const std::filesystem::path file = dir_ / "bin" / name;
    std::ofstream(file) << "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s\\n' \"$#\" \"$@\" > '"
                        << ArgumentsFile().string() << "'\n"
                        << body << "\n";
    chmod(file.c_str(), executable ? 0755 : 0644);
  }
  std::filesystem::path ArgumentsFile() const { return dir_ / "arguments"; }
  std::string Arguments() const {
    std::ifstream in(ArgumentsFile());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  const std::filesystem::path& Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
  std::string oldPath_;
};

}  // namespace brinecast
