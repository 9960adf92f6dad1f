// Starting the desktop's opener without a shell and waiting a bounded time for its verdict.
#include "platform/sdl/DesktopOpener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <thread>

extern char** environ;

namespace brinecast {

namespace {

// How often the opener's exit is looked for while waiting for it.
constexpr std::chrono::milliseconds kPollStep(10);

// Starts program with url as its one argument; 0 when it could not be started.
pid_t Spawn(const std::string& program, const std::string& url) {
  posix_spawnattr_t attr;
  if (posix_spawnattr_init(&attr) != 0) return 0;
  // Its own session, so a browser it leaves running does not die with the game's terminal;
  // default signals and no mask, whatever the game changed for itself.
  sigset_t none;
  sigset_t defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  sigaddset(&defaults, SIGPIPE);
  sigaddset(&defaults, SIGCHLD);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  posix_spawnattr_setflags(&attr,
                           POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  // The window's and the sound device's descriptors are not the browser's business.
  posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
  std::string arg0 = program;
  std::string arg1 = url;
  char* argv[] = {arg0.data(), arg1.data(), nullptr};
  pid_t pid = 0;
  const int error = posix_spawnp(&pid, program.c_str(), &actions, &attr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  return error == 0 ? pid : 0;
}

}  // namespace

bool DesktopOpener::Open(const std::string& url) {
  ReapFinished();
  if (url.empty()) return false;
  const pid_t pid = Spawn(program_, url);
  if (pid <= 0) return false;
  const auto until = std::chrono::steady_clock::now() + patience_;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (done < 0 && errno != EINTR) return false;
    if (std::chrono::steady_clock::now() >= until) break;
    std::this_thread::sleep_for(kPollStep);
  }
  // Still busy: most likely the browser itself, which runs as long as the player wants.
  pending_.push_back(pid);
  return true;
}

void DesktopOpener::ReapFinished() {
  std::erase_if(pending_, [](pid_t pid) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    return done == pid || (done < 0 && errno == ECHILD);
  });
}

}  // namespace brinecast
