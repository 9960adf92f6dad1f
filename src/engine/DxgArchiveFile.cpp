// Reading an archive from a file: only regular files, never more than the archive bound,
// and every failure names the file.
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <span>

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

// An open archive file, checked to be a regular file within the archive bound.
class ArchiveFile {
 public:
  explicit ArchiveFile(const std::string& path)
      // Not blocking: opening a pipe nobody writes to would otherwise wait for ever.
      : path_(path), fd_{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)} {
    if (fd_.fd < 0) CannotOpen(path, errno);
    struct stat info {};
    if (::fstat(fd_.fd, &info) != 0) CannotOpen(path, errno);
    if (S_ISDIR(info.st_mode)) CannotOpen(path, EISDIR);
    if (!S_ISREG(info.st_mode) || info.st_size < 0 ||
        static_cast<uint64_t>(info.st_size) > kDxgMaxFileBytes)
      NotAnArchive(path);
    size_ = static_cast<size_t>(info.st_size);
  }

  std::vector<uint8_t> ReadAll() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(size_);
    uint8_t chunk[65536];
    for (;;) {
      const ssize_t got = ::read(fd_.fd, chunk, sizeof chunk);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) CannotOpen(path_, errno);
      if (got == 0) break;
      // The file may grow while it is read.
      if (bytes.size() + static_cast<size_t>(got) > kDxgMaxFileBytes) NotAnArchive(path_);
      bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
  }

  // The whole file, mapped read-only; the caller unmaps it. Mapping instead of reading costs
  // only the pages that are touched, which for a reader of sizes is a few headers.
  std::span<const uint8_t> MapAll() const {
    if (size_ == 0) return {};
    void* at = ::mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd_.fd, 0);
    if (at == MAP_FAILED) CannotOpen(path_, errno);
    return {static_cast<const uint8_t*>(at), size_};
  }

 private:
  // Closed however the constructor leaves, as a member made before its body runs.
  struct Descriptor {
    explicit Descriptor(int opened) : fd(opened) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int fd;
    ~Descriptor() {
      if (fd >= 0) ::close(fd);
    }
  };

  std::string path_;
  Descriptor fd_;
  size_t size_ = 0;
};

// Kept archives stay mapped for the life of the process, which for the replayer is one
// recording.
std::map<std::string, std::span<const uint8_t>>& KeptFiles() {
  static std::map<std::string, std::span<const uint8_t>> kept;
  return kept;
}

}  // namespace

void KeepDxgArchiveFile(const std::string& path) {
  const std::span<const uint8_t> mapped = ArchiveFile(path).MapAll();
  auto [at, added] = KeptFiles().try_emplace(path, mapped);
  if (!added) {
    if (!at->second.empty()) ::munmap(const_cast<uint8_t*>(at->second.data()), at->second.size());
    at->second = mapped;
  }
}

void ReadDxgArchiveFile(const std::string& path, ArchiveContents& out, PictureDetail detail) {
  out.items.clear();
  const auto kept = KeptFiles().find(path);
  std::vector<uint8_t> read;
  if (kept == KeptFiles().end()) read = ArchiveFile(path).ReadAll();
  const std::span<const uint8_t> bytes =
      kept != KeptFiles().end() ? kept->second : std::span<const uint8_t>(read);
  try {
    ReadDxgArchive(bytes, out, detail);
  } catch (const EngineError& e) {
    throw ArchiveFileError(path, e.what());
  }
}

}  // namespace brinecast
