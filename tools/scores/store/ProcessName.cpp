#include "scores/store/ProcessName.h"

#include <unistd.h>

#include <cstdio>
#include <random>

namespace brinecast::scores {

std::string UniqueProcessName() {
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
  std::random_device random;
  char tail[16];
  std::snprintf(tail, sizeof tail, "%08x", static_cast<unsigned>(random()));
  return std::string(host) + ":" + std::to_string(getpid()) + ":" + tail;
}

}  // namespace brinecast::scores
