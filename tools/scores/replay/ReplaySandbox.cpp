// Read and write are held to the three standard descriptors, memory may never be made
// executable, and a signal may go only to the process itself.
#include "ReplaySandbox.h"

#include <seccomp.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <initializer_list>

#if defined(__SANITIZE_ADDRESS__)
#define BRINECAST_REPLAY_UNSANDBOXED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BRINECAST_REPLAY_UNSANDBOXED 1
#endif
#endif

namespace brinecast::scores {

bool SandboxBuilt() {
#ifdef BRINECAST_REPLAY_UNSANDBOXED
  return false;
#else
  return true;
#endif
}

namespace {

// An argument's test, spelt out: the library's shorthand leaves fields to their defaults.
scmp_arg_cmp Arg(unsigned int arg, scmp_compare op, scmp_datum_t a, scmp_datum_t b = 0) {
  return scmp_arg_cmp{arg, op, a, b};
}

}  // namespace

bool EnterSandbox(std::string& error) {
  if (!SandboxBuilt()) return true;
  scmp_filter_ctx filter = seccomp_init(SCMP_ACT_KILL_PROCESS);
  if (!filter) {
    error = "the sandbox could not be made";
    return false;
  }
  int failed = 0;
  const auto keep = [&failed](int result) {
    if (failed == 0) failed = result;
  };
  for (int call : {SCMP_SYS(brk), SCMP_SYS(munmap), SCMP_SYS(mremap), SCMP_SYS(madvise),
                   SCMP_SYS(futex), SCMP_SYS(exit), SCMP_SYS(exit_group), SCMP_SYS(rt_sigreturn),
                   SCMP_SYS(rt_sigprocmask), SCMP_SYS(rt_sigaction), SCMP_SYS(restart_syscall),
                   SCMP_SYS(clock_gettime), SCMP_SYS(gettimeofday), SCMP_SYS(getpid),
                   SCMP_SYS(gettid), SCMP_SYS(setitimer), SCMP_SYS(getitimer)}) {
    keep(seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 0));
  }
  keep(seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(read), 1, Arg(0, SCMP_CMP_EQ, 0)));
  for (scmp_datum_t fd : {1U, 2U}) {
    keep(seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(write), 1, Arg(0, SCMP_CMP_EQ, fd)));
  }
  for (int call : {SCMP_SYS(mmap), SCMP_SYS(mprotect)}) {
    keep(seccomp_rule_add(filter, SCMP_ACT_ALLOW, call, 1,
                          Arg(2, SCMP_CMP_MASKED_EQ, PROT_EXEC, 0)));
  }
  // abort() raises its signal with tgkill, on this process only.
  keep(seccomp_rule_add(filter, SCMP_ACT_ALLOW, SCMP_SYS(tgkill), 1,
                        Arg(0, SCMP_CMP_EQ, static_cast<scmp_datum_t>(getpid()))));
  if (failed == 0) failed = seccomp_load(filter);
  seccomp_release(filter);
  if (failed != 0) {
    error = std::string("the sandbox could not be entered: ") + std::strerror(-failed);
    return false;
  }
  return true;
}

}  // namespace brinecast::scores
