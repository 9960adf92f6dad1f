// Handing a URL to the desktop's opener program and learning whether it worked.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace brinecast {

// Runs the opener (xdg-open) on a URL, with no shell between. It worked when the opener
// exits with status 0 within the patience, or is still running then (a browser it started
// in its place); such an opener is reaped later, by ReapFinished or the next Open.
class DesktopOpener {
 public:
  explicit DesktopOpener(std::string program = "xdg-open",
                         std::chrono::milliseconds patience = std::chrono::milliseconds(2000))
      : program_(std::move(program)), patience_(patience) {}
  DesktopOpener(const DesktopOpener&) = delete;
  DesktopOpener& operator=(const DesktopOpener&) = delete;

  // False when the program cannot be started (none on PATH) or exits with a failure.
  bool Open(const std::string& url);
  // Collects the openers that ended since; never waits.
  void ReapFinished();
  // Openers still running after Open returned, not yet reaped.
  size_t Pending() const { return pending_.size(); }

 private:
  std::string program_;
  std::chrono::milliseconds patience_;
  std::vector<pid_t> pending_;
};

}  // namespace brinecast
