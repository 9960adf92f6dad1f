// The scratch folder's signal watcher: a thread that waits for the ending signals, so the
// folder is removed with ordinary code, not inside a signal handler.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <system_error>

#include "ScratchFolder.h"

namespace brinecast::sim {

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

void ScratchFolder::WatchSignals() {
  // The signals go to this thread alone (threads made later inherit the mask).
  const sigset_t signals = EndingSignals();
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  watcher_ = std::thread([path = path_, signals] {
    int signal = 0;
    if (sigwait(&signals, &signal) != 0 || signal == SIGUSR2) return;
    std::error_code error;
    std::filesystem::remove_all(path, error);
    _exit(128 + signal);
  });
}

void ScratchFolder::StopWatching() {
  // Wake the watcher with a signal only it waits for.
  const sigset_t signals = EndingSignals();
  pthread_kill(watcher_.native_handle(), SIGUSR2);
  watcher_.join();
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
}

}  // namespace brinecast::sim
