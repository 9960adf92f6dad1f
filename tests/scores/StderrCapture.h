// Standard error sent to a file while the capture lives, for tests of what an in-process
// server logs; the test's own output goes to standard output and is not caught.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/ScratchFolder.h"

namespace brinecast::testing {

class StderrCapture {
 public:
  StderrCapture() : saved_(dup(STDERR_FILENO)) {
    const int file = open(Path().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    dup2(file, STDERR_FILENO);
    close(file);
  }
  ~StderrCapture() {
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  std::string Text() const {
    std::ifstream in(Path());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

 private:
  std::string Path() const { return (folder_.Path() / "stderr").string(); }
  ScratchFolder folder_;
  int saved_;
};

}  // namespace brinecast::testing
