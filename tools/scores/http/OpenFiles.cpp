#include "scores/http/OpenFiles.h"

#include <sys/resource.h>

namespace brinecast::scores {

size_t RaiseOpenFileLimit() {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) != 0) return 1024;
  if (files.rlim_cur < files.rlim_max) {
    rlimit raised = files;
    raised.rlim_cur = files.rlim_max;
    if (setrlimit(RLIMIT_NOFILE, &raised) == 0) files = raised;
  }
  return files.rlim_cur == RLIM_INFINITY ? size_t{1} << 20U : static_cast<size_t>(files.rlim_cur);
}

}  // namespace brinecast::scores
