// Reading an archive from a file: only regular files, never more than the archive bound,
// and every failure names the file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>

#include "engine/ArchiveFileError.h"
#include "engine/DxgArchive.h"
#include "engine/DxgFormat.h"

namespace brinecast {
namespace {

[[noreturn]] void CannotOpen(const std::string& path, int error) {
  throw EngineError("Cannot open file \"" + path + "\". " + std::strerror(error));
}

// A device, a pipe or a huge file is no archive of ours: refused before anything is
// allocated for it, so a link to an endless file cannot grow the process.
[[noreturn]] void NotAnArchive(const std::string& path) {
  throw ArchiveFileError(path, kDxgInvalidStream);
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  // Not blocking: opening a pipe nobody writes to would otherwise wait for ever.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) CannotOpen(path, errno);
  struct FdCloser {
    int fd;
    ~FdCloser() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) CannotOpen(path, errno);
  if (S_ISDIR(info.st_mode)) CannotOpen(path, EISDIR);
  if (!S_ISREG(info.st_mode) || info.st_size < 0 ||
      static_cast<uint64_t>(info.st_size) > kDxgMaxFileBytes)
    NotAnArchive(path);
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(info.st_size));
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t got = ::read(fd, chunk, sizeof chunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) CannotOpen(path, errno);
    if (got == 0) break;
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(got) > kDxgMaxFileBytes) NotAnArchive(path);
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  return bytes;
}

std::map<std::string, std::vector<uint8_t>>& KeptFiles() {
  static std::map<std::string, std::vector<uint8_t>> kept;
  return kept;
}

}  // namespace

void KeepDxgArchiveFile(const std::string& path) {
  KeptFiles()[path] = ReadWholeFile(path);
}

void ReadDxgArchiveFile(const std::string& path, ArchiveContents& out) {
  out.items.clear();
  const auto kept = KeptFiles().find(path);
  std::vector<uint8_t> read;
  if (kept == KeptFiles().end()) read = ReadWholeFile(path);
  const std::vector<uint8_t>& bytes = kept != KeptFiles().end() ? kept->second : read;
  try {
    ReadDxgArchive(bytes, out);
  } catch (const EngineError& e) {
    throw ArchiveFileError(path, e.what());
  }
}

}  // namespace brinecast
