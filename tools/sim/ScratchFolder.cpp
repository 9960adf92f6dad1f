// A temporary game folder that is cleaned up however the run ends: normally by
// the destructor, or by a thread that waits for the ending signals.
#include "ScratchFolder.h"

#include <pthread.h>
#include <signal.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <system_error>

namespace brinecast::sim {

namespace fs = std::filesystem;

namespace {

sigset_t EndingSignals() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGHUP);
  // Not an ending signal: how the destructor tells the watcher to stop waiting.
  sigaddset(&set, SIGUSR2);
  return set;
}

}  // namespace

ScratchFolder::ScratchFolder(const fs::path& built) {
  std::string pattern = (fs::temp_directory_path() / "brinecast-sim-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr)
    throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
  for (const char* name : {"Data", "Sound"}) {
    std::error_code error;
    fs::create_directory_symlink(built / name, path_ / name, error);
  }
  // The signals go to this thread alone (threads made later inherit the mask),
  // so the folder is removed with ordinary code, not inside a signal handler.
  const sigset_t signals = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  watcher_ = std::thread([path = path_, signals] {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0 || signal == SIGUSR2) return;
    std::error_code error;
    fs::remove_all(path, error);
    _exit(128 + signal);
  });
}

ScratchFolder::~ScratchFolder() {
  // Wake the watcher with a signal only it waits for, then tidy up as usual.
  const sigset_t signals = EndingSignals();
  pthread_kill(watcher_.native_handle(), SIGUSR2);
  watcher_.join();
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
  std::error_code error;
  fs::remove_all(path_, error);
}

}  // namespace brinecast::sim
