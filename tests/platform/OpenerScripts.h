// A scratch folder of stand-in opener scripts, put first on PATH for the test's lifetime.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "support/ScratchFolder.h"

namespace brinecast {

class OpenerScripts {
 public:
  OpenerScripts() {
    const char* path = std::getenv("PATH");
    if (path != nullptr) oldPath_ = path;
    // Only this folder: no real xdg-open can be found and start a browser.
    setenv("PATH", (folder_.Path() / "bin").c_str(), 1);
    std::filesystem::create_directories(folder_.Path() / "bin");
  }
  ~OpenerScripts() { setenv("PATH", oldPath_.c_str(), 1); }
  OpenerScripts(const OpenerScripts&) = delete;
  OpenerScripts& operator=(const OpenerScripts&) = delete;

  // A shell script named name on PATH; it writes its arguments, one a line, to Arguments(),
  // and runs body with the system's PATH.
  void Add(const std::string& name, const std::string& body, bool executable = true) const {
    const std::filesystem::path file = folder_.Path() / "bin" / name;
    std::ofstream(file) << "#!/bin/sh\nPATH=/usr/bin:/bin\nprintf '%s\\n' \"$#\" \"$@\" > '"
                        << ArgumentsFile().string() << "'\n"
                        << body << "\n";
    chmod(file.c_str(), executable ? 0755 : 0644);
  }
  std::filesystem::path ArgumentsFile() const { return folder_.Path() / "arguments"; }
  std::string Arguments() const {
    std::ifstream in(ArgumentsFile());
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  const std::filesystem::path& Dir() const { return folder_.Path(); }

 private:
  testing::ScratchFolder folder_{"brinecast-open"};
  std::string oldPath_;
};

}  // namespace brinecast
