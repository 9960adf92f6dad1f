// fork and exec, with the limits set in the child between the two; the parent polls the
// pipes and a pidfd against the deadline, and kills the child by its pid when it passes.
#include "scores/verify/ChildRun.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#if defined(__SANITIZE_ADDRESS__)
#define BRINECAST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINECAST_ASAN 1
#endif
#endif

namespace brinecast::scores {

namespace {

struct Pipe {
  int read = -1;
  int write = -1;
  bool Open() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return false;
    read = fds[0];
    write = fds[1];
    return true;
  }
};

void CloseFd(int& fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Only what is safe between fork and exec in a threaded program: system calls.
[[noreturn]] void BecomeChild(char* const* argv, Pipe& in, Pipe& out, Pipe& err,
                              const ChildLimits& limits, pid_t parent) {
  // It dies with the server: a server killed outright leaves no replay running under init.
  // A parent already gone before the call would never send it, so that is checked after.
  if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(kChildLimitsRefused);
  if (dup2(in.read, 0) < 0 || dup2(out.write, 1) < 0 || dup2(err.write, 2) < 0) _exit(126);
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  // Never run without its limits: a child that cannot set them ends at once.
  const rlimit cpu{static_cast<rlim_t>(limits.cpuSeconds),
                   static_cast<rlim_t>(limits.cpuSeconds) + 1};
  const rlimit noCore{0, 0};
  if (setrlimit(RLIMIT_CPU, &cpu) != 0 || setrlimit(RLIMIT_CORE, &noCore) != 0) {
    _exit(kChildLimitsRefused);
  }
#ifndef BRINECAST_ASAN
  // The address sanitizer reserves terabytes it never uses, so its builds go without.
  if (limits.memoryBytes > 0) {
    const rlimit memory{static_cast<rlim_t>(limits.memoryBytes),
                        static_cast<rlim_t>(limits.memoryBytes)};
    if (setrlimit(RLIMIT_AS, &memory) != 0) _exit(kChildLimitsRefused);
  }
#endif
  // Nothing of the server's (its sockets, its database) reaches the child.
  syscall(SYS_close_range, 3U, ~0U, 0U);
  execv(argv[0], argv);
  _exit(127);
}

void Keep(std::string& into, const char* bytes, size_t size, size_t cap) {
  if (into.size() < cap) into.append(bytes, std::min(size, cap - into.size()));
}

}  // namespace

std::string ChildResult::Describe() const {
  switch (ending) {
    case Ending::kExited:
      if (code == kChildLimitsRefused) return "not started: its limits could not be set";
      return "exit status " + std::to_string(code);
    case Ending::kSignalled:
      if (code == SIGSYS) return "killed by its sandbox: a forbidden system call";
      return "killed by signal " + std::to_string(code);
    case Ending::kTimedOut:
      return "timed out";
    case Ending::kNotStarted:
      break;
  }
  return "could not be started";
}

ChildResult RunChild(const std::vector<std::string>& command, const std::string& input,
                     const ChildLimits& limits, const std::function<void(pid_t)>& started) {
  ChildResult result;
  if (command.empty()) return result;
  std::vector<std::string> args = command;
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  Pipe in, out, err;
  if (!in.Open() || !out.Open() || !err.Open()) {
    for (Pipe* p : {&in, &out, &err}) {
      CloseFd(p->read);
      CloseFd(p->write);
    }
    return result;
  }
  const pid_t parent = getpid();
  const pid_t pid = fork();
  if (pid == 0) BecomeChild(argv.data(), in, out, err, limits, parent);
  CloseFd(in.read);
  CloseFd(out.write);
  CloseFd(err.write);
  if (pid < 0) {
    CloseFd(in.write);
    CloseFd(out.read);
    CloseFd(err.read);
    return result;
  }
  if (started) started(pid);
  // A child that stops reading makes the write fail, not the server end: SIGPIPE is held on
  // this thread while feeding it, and any it raised taken before letting go.
  sigset_t pipeSignal, before;
  sigemptyset(&pipeSignal);
  sigaddset(&pipeSignal, SIGPIPE);
  pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
  const int pidFd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0U));
  for (int fd : {in.write, out.read, err.read}) fcntl(fd, F_SETFL, O_NONBLOCK);
  const auto deadline = std::chrono::steady_clock::now() + limits.wall;
  size_t written = 0;
  if (input.empty()) CloseFd(in.write);
  bool exited = false, timedOut = false;
  char buffer[16384];
  while (!exited) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      timedOut = true;
      break;
    }
    // Output still open keeps the loop reading; the child's end is seen on its pidfd, or,
    // without one, when its output closes.
    pollfd watch[4] = {
        {in.write, POLLOUT, 0}, {out.read, POLLIN, 0}, {err.read, POLLIN, 0}, {pidFd, POLLIN, 0}};
    if (poll(watch, 4, static_cast<int>(std::min<int64_t>(left.count(), 1000))) < 0 &&
        errno != EINTR) {
      break;
    }
    if (in.write >= 0 && (watch[0].revents & (POLLOUT | POLLERR | POLLHUP)) != 0) {
      const ssize_t n = write(in.write, input.data() + written, input.size() - written);
      if (n > 0) written += static_cast<size_t>(n);
      if (n < 0 && errno != EAGAIN) written = input.size();  // the child stopped reading
      if (written == input.size()) CloseFd(in.write);
    }
    for (int i : {1, 2}) {
      int& fd = i == 1 ? out.read : err.read;
      if (fd < 0 || (watch[i].revents & (POLLIN | POLLHUP | POLLERR)) == 0) continue;
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n > 0) {
        Keep(i == 1 ? result.out : result.err, buffer, static_cast<size_t>(n), limits.outputBytes);
      } else if (n == 0 || errno != EAGAIN) {
        CloseFd(fd);
      }
    }
    // Its output is read to the end before the child counts as done.
    const bool childGone = pidFd >= 0 ? (watch[3].revents & POLLIN) != 0 : out.read < 0;
    exited = childGone && out.read < 0 && err.read < 0;
    if (childGone && pidFd >= 0 && (out.read >= 0 || err.read >= 0)) {
      // Drain what is left without waiting: the writer is gone.
      for (int* fd : {&out.read, &err.read}) {
        while (*fd >= 0) {
          const ssize_t n = read(*fd, buffer, sizeof buffer);
          if (n <= 0) {
            CloseFd(*fd);
            break;
          }
          Keep(fd == &out.read ? result.out : result.err, buffer, static_cast<size_t>(n),
               limits.outputBytes);
        }
      }
      exited = true;
    }
  }
  // A child already gone is a zombie, which a kill leaves as it is.
  if (!exited || pidFd < 0) kill(pid, SIGKILL);
  int status = 0;
  while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  CloseFd(in.write);
  CloseFd(out.read);
  CloseFd(err.read);
  if (pidFd >= 0) close(pidFd);
  const timespec now{0, 0};
  while (sigtimedwait(&pipeSignal, nullptr, &now) == SIGPIPE) {
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
  if (timedOut) {
    result.ending = ChildResult::Ending::kTimedOut;
  } else if (WIFSIGNALED(status)) {
    result.ending = ChildResult::Ending::kSignalled;
    result.code = WTERMSIG(status);
  } else {
    result.ending = ChildResult::Ending::kExited;
    result.code = WEXITSTATUS(status);
  }
  return result;
}

}  // namespace brinecast::scores
