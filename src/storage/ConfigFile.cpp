// Config.cfg on disk: where it lives, reading it and replacing it safely.
#include "storage/ConfigFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace brinecast {

namespace {

constexpr int kMaxKeptBad = 100;

// The player is told which file and what went wrong, in the system's words.
[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw EInOutError("Cannot write " + path + ": " + what);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

// Moves a damaged file aside so the defaults written next do not replace it;
// an older damaged file is kept too.
void KeepAside(const std::string& path) {
  std::string target = path + ".bad";
  for (int n = 2; Exists(target) && n <= kMaxKeptBad; ++n) {
    target = path + ".bad" + std::to_string(n);
  }
  if (!Exists(target)) ::rename(path.c_str(), target.c_str());
}

// Reads up to size bytes, retrying short reads; the count read, or -1.
ssize_t ReadFully(int fd, uint8_t* data, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return -1;
    if (n == 0) break;
    done += static_cast<size_t>(n);
  }
  return static_cast<ssize_t>(done);
}

}  // namespace

TConfigFile::TConfigFile(std::string appDir, std::string prefDir)
    : appDir_(std::move(appDir)), prefDir_(std::move(prefDir)) {}

bool TConfigFile::AppDirWritable() const {
  std::error_code ec;
  return std::filesystem::is_directory(appDir_, ec) && ::access(appDir_.c_str(), W_OK | X_OK) == 0;
}

std::string TConfigFile::Path() const {
  if (prefDir_.empty() || AppDirWritable()) return appDir_ + kFileName;
  return prefDir_ + kFileName;
}

bool TConfigFile::Load(TConfig& config) {
  std::string path = Path();
  const std::string inAppDir = appDir_ + kFileName;
  // A file left in the game's folder seeds the player's own until that exists.
  if (path != inAppDir && !Exists(path) && Exists(inAppDir)) path = inAppDir;

  // Non-blocking, so a pipe or device put in the file's place cannot hang the start.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT && Exists(path)) KeepAside(path);
    return false;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return false;
  }
  std::vector<uint8_t> bytes(TConfig::kRecordSize);
  const ssize_t got = ReadFully(fd, bytes.data(), bytes.size());
  ::close(fd);
  if (got != static_cast<ssize_t>(bytes.size()) || !ReadRecord(bytes, config)) {
    KeepAside(path);
    return false;
  }
  return true;
}

void TConfigFile::Save(const TConfig& config) {
  const std::string path = Path();
  if (path != appDir_ + kFileName) {
    std::error_code ec;
    std::filesystem::create_directories(prefDir_, ec);
    if (ec) Fail(path, ec.message());
  }
  const std::array<uint8_t, TConfig::kRecordSize> bytes = WriteRecord(config);
  WriteFileAtomically(path, bytes);
}

}  // namespace brinecast
