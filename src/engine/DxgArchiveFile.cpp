#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "engine/DxgArchive.h"
#include "engine/EngineError.h"

namespace brinecast {
namespace {

[[noreturn]] void CannotOpen(const std::string& path, int error) {
  throw EngineError("Cannot open file \"" + path + "\". " + std::strerror(error));
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) CannotOpen(path, errno);
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) CannotOpen(path, errno);
  if (S_ISDIR(info.st_mode)) CannotOpen(path, EISDIR);
  std::vector<uint8_t> bytes;
  bytes.reserve(S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0);
  uint8_t chunk[65536];
  for (;;) {
    ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) CannotOpen(path, errno);
    if (got == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

}  // namespace

void ReadDxgArchiveFile(const std::string& path, ArchiveContents& out) {
  out.items.clear();
  const std::vector<uint8_t> bytes = ReadWholeFile(path);
  ReadDxgArchive(bytes, out);
}

}  // namespace brinecast
