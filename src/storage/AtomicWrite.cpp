// Replacing a file whole: a fresh temporary file beside it, synced, then renamed over it.
#include "storage/AtomicWrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace brinecast {

namespace {

// The player is told which file and what went wrong, in the system's words.
[[noreturn]] void Fail(const std::string& path, int err) {
  throw EInOutError("Cannot write " + path + ": " + std::generic_category().message(err));
}

bool WriteFully(int fd, const uint8_t* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n == 0) errno = ENOSPC;  // no progress and no reason given
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// A file made here and now, or -1 with errno: whatever already holds the name
// (a link planted there, a file left by a crashed save) is removed, never
// written through.
int CreateNew(const std::string& path) {
  constexpr int kFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
  const int fd = ::open(path.c_str(), kFlags, 0644);
  if (fd >= 0 || errno != EEXIST) return fd;
  // What cannot be removed is in the way, so the message names it.
  if (::unlink(path.c_str()) != 0) Fail(path, errno);
  return ::open(path.c_str(), kFlags, 0644);
}

// Makes the rename itself durable; a folder that cannot be synced is no error.
void SyncFolder(const std::string& path) {
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes) {
  const std::string temp = path + ".tmp";
  const int fd = CreateNew(temp);
  if (fd < 0) Fail(path, errno);
  int err = 0;
  if (!WriteFully(fd, bytes.data(), bytes.size()) || ::fsync(fd) != 0) err = errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err == 0 && ::rename(temp.c_str(), path.c_str()) != 0) err = errno;
  if (err != 0) {
    ::unlink(temp.c_str());
    Fail(path, err);
  }
  SyncFolder(path);
}

}  // namespace brinecast
