// The recordings in the player's folder: their names, atomic writes, reading and pruning.
#include "storage/RecordingShelf.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace brinecast {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kRowPrefix = "row-";
constexpr std::string_view kExtension = ".bcreplay";
constexpr std::string_view kTemporary = ".tmp";
constexpr char kHex[] = "0123456789abcdef";

std::string Hex(std::string_view text) {
  std::string hex;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    hex += kHex[byte >> 4U];
    hex += kHex[byte & 15U];
  }
  return hex;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// Whether a name is one that RowFileName gives for some row: the pieces are read and the
// name made again from them, so only the exact spelling counts.
bool IsRowFileName(std::string_view name) {
  if (name.substr(0, kRowPrefix.size()) != kRowPrefix || !EndsWith(name, kExtension)) {
    return false;
  }
  name = name.substr(kRowPrefix.size(), name.size() - kRowPrefix.size() - kExtension.size());
  const size_t first = name.find('-');
  const size_t second = first == std::string_view::npos ? first : name.find('-', first + 1);
  if (second == std::string_view::npos) return false;
  const std::string_view hex = name.substr(0, first);
  const std::string_view score = name.substr(first + 1, second - first - 1);
  const std::string_view ordinal = name.substr(second + 1);
  auto isHex = [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); };
  // Decimal without leading zeros, from low to high.
  auto number = [](std::string_view digits, uint64_t low, uint64_t high) {
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) {
      return false;
    }
    uint64_t value = 0;
    for (const char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + static_cast<uint64_t>(c - '0');
    }
    return value >= low && value <= high;
  };
  const size_t rows = std::tuple_size_v<HighScoreTable>;
  return hex.size() % 2 == 0 && hex.size() <= 2 * TConfig::kMaxText &&
         std::all_of(hex.begin(), hex.end(), isHex) && number(score, 0, 0xFFFFFFFFu) &&
         number(ordinal, 1, rows);
}

}  // namespace

RecordingShelf::RecordingShelf(const std::string& playerFolder)
    : folder_((fs::path(playerFolder) / kFolderName).string()) {}

std::string RecordingShelf::LastPath() const {
  return (fs::path(folder_) / kLastFile).string();
}

std::string RecordingShelf::RowPath(const HighScoreTable& table, size_t row) const {
  return (fs::path(folder_) / RowFileName(table, row)).string();
}

std::string RecordingShelf::RowFileName(const HighScoreTable& table, size_t row) {
  const THighScore& mine = table.at(row);
  size_t ordinal = 1;
  for (size_t i = 0; i < row; ++i) {
    if (table[i] == mine) ++ordinal;
  }
  std::string name(kRowPrefix);
  name += Hex(mine.Name);
  name += '-';
  name += std::to_string(mine.Score);
  name += '-';
  name += std::to_string(ordinal);
  name += kExtension;
  return name;
}

void RecordingShelf::Save(const std::string& path, std::span<const uint8_t> bytes) const {
  std::error_code error;
  fs::create_directories(folder_, error);
  if (error) throw EInOutError("Cannot write " + path + ": " + error.message());
  WriteFileAtomically(path, bytes);
}

void RecordingShelf::SaveLast(std::span<const uint8_t> bytes) const {
  Save(LastPath(), bytes);
}

void RecordingShelf::SaveRow(const HighScoreTable& table, size_t row,
                             std::span<const uint8_t> bytes) const {
  Save(RowPath(table, row), bytes);
}

std::optional<std::vector<uint8_t>> RecordingShelf::Read(const std::string& path) {
  // Non-blocking and never through a link, so a pipe or a planted link cannot hang or redirect us.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  struct stat info {};
  std::optional<std::vector<uint8_t>> bytes;
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size >= 0 &&
      static_cast<uint64_t>(info.st_size) <= kMaxFileBytes) {
    std::vector<uint8_t> read(static_cast<size_t>(info.st_size));
    size_t done = 0;
    while (done < read.size()) {
      const ssize_t n = ::read(fd, read.data() + done, read.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    // A file that changed size under us is not taken half read.
    if (done == read.size()) bytes = std::move(read);
  }
  ::close(fd);
  return bytes;
}

std::vector<std::string> RecordingShelf::Prune(const HighScoreTable& table) const {
  std::vector<std::string> kept;
  for (size_t row = 0; row < table.size(); ++row) kept.push_back(RowFileName(table, row));
  return RemoveRowsExcept(kept);
}

std::vector<std::string> RecordingShelf::PruneAll() const {
  return RemoveRowsExcept({});
}

std::vector<std::string> RecordingShelf::RemoveRowsExcept(
    const std::vector<std::string>& kept) const {
  std::vector<std::string> removed;
  std::error_code error;
  // Stepped with an error code: a folder that changes or fails under us ends the pruning,
  // never the game.
  fs::directory_iterator entries(folder_, error);
  for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
    const fs::directory_entry& entry = *entries;
    const std::string name = entry.path().filename().string();
    const std::string_view file =
        EndsWith(name, kTemporary)
            ? std::string_view(name).substr(0, name.size() - kTemporary.size())
            : name;
    if (!IsRowFileName(file)) continue;
    if (std::find(kept.begin(), kept.end(), file) != kept.end()) continue;
    std::error_code ignored;
    // Only plain files: a folder or a link under one of our names is not ours.
    if (!entry.is_regular_file(ignored) || entry.is_symlink(ignored)) continue;
    if (::unlink(entry.path().c_str()) == 0) removed.push_back(name);
  }
  std::sort(removed.begin(), removed.end());
  return removed;
}

}  // namespace brinecast
