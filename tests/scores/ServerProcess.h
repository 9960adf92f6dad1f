// The built brinecast-scores executable run as a child process with its output in files;
// ended by its own pid, never waited on without a bound.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/ScratchFolder.h"

namespace brinecast::testing {

class ServerProcess {
 public:
  explicit ServerProcess(const std::vector<std::string>& args,
                         const std::string& program = BRINECAST_BINARY_DIR "/brinecast-scores") {
    // Everything is made before fork: the child of a threaded program may only exec.
    const std::string out = OutPath(), err = ErrPath();
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ == 0) {
      const int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      const int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(outFd, 1);
      dup2(errFd, 2);
      execv(argv[0], argv.data());
      _exit(127);
    }
  }
  ~ServerProcess() {
    if (pid_ > 0 && status_ < 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
  }
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  // Polls standard output for the start-up line.
  bool WaitListening(std::chrono::milliseconds wait = std::chrono::seconds(10)) {
    const auto end = std::chrono::steady_clock::now() + wait;
    while (std::chrono::steady_clock::now() < end) {
      if (Out().find("listening on") != std::string::npos) return true;
      if (Exited(std::chrono::milliseconds(0))) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  // True when the process has ended within `wait`; its exit status is then status().
  bool Exited(std::chrono::milliseconds wait) {
    const auto end = std::chrono::steady_clock::now() + wait;
    while (status_ < 0) {
      int raw = 0;
      if (waitpid(pid_, &raw, WNOHANG) == pid_) {
        status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        break;
      }
      if (std::chrono::steady_clock::now() >= end) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
  }

  void Signal(int signal) {
    if (status_ < 0) kill(pid_, signal);
  }
  int status() const { return status_; }
  std::string Out() const { return Read(OutPath()); }
  std::string Err() const { return Read(ErrPath()); }

 private:
  std::string OutPath() const { return (folder_.Path() / "out").string(); }
  std::string ErrPath() const { return (folder_.Path() / "err").string(); }
  static std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }
  ScratchFolder folder_;
  pid_t pid_ = -1;
  int status_ = -1;
};

// Runs the executable to its end (at most 20 s) and gives back its exit status.
struct Finished {
  int status = -1;
  std::string out;
  std::string err;
};
inline Finished RunScores(const std::vector<std::string>& args) {
  ServerProcess process(args);
  Finished result;
  if (process.Exited(std::chrono::seconds(20))) result.status = process.status();
  result.out = process.Out();
  result.err = process.Err();
  return result;
}

}  // namespace brinecast::testing
