// The recordings kept in the player's folder: the last game's, and one for each row of the
// high-score table that has one, found from the row itself.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "storage/AtomicWrite.h"
#include "storage/Config.h"

namespace brinecast {

using HighScoreTable = std::array<THighScore, 10>;

// Recordings/ beside Config.cfg. A row's file is named by the row's name (hex, so any byte
// is safe), its score and its ordinal among identical rows above it, so inserting a row never
// renames another's file. Files are opaque bytes here.
class RecordingShelf {
 public:
  static constexpr const char* kFolderName = "Recordings";
  static constexpr const char* kLastFile = "last.bcreplay";
  // Larger files are not ours: reading stops rather than fill memory.
  static constexpr size_t kMaxFileBytes = size_t{16} << 20U;

  // playerFolder: where Config.cfg lives, with or without a trailing separator.
  explicit RecordingShelf(const std::string& playerFolder);

  const std::string& Folder() const { return folder_; }
  std::string LastPath() const;
  // The file of row (0-based) of the table, whether it exists or not.
  std::string RowPath(const HighScoreTable& table, size_t row) const;
  // "row-<name in hex>-<score>-<ordinal>.bcreplay"; the ordinal counts from 1 among rows
  // of the same name and score, from the top.
  static std::string RowFileName(const HighScoreTable& table, size_t row);

  // Each replaces its file whole, making the folder when needed; throws EInOutError.
  void SaveLast(std::span<const uint8_t> bytes) const;
  void SaveRow(const HighScoreTable& table, size_t row, std::span<const uint8_t> bytes) const;

  // A file's bytes; nothing when it is missing, not a plain file or too large.
  static std::optional<std::vector<uint8_t>> Read(const std::string& path);

  // Removes the files of rows that are no longer in the table, and what crashed writes of
  // them left. Only files named as this shelf names them are touched; what cannot be removed
  // stays. Returns the names of the files removed.
  std::vector<std::string> Prune(const HighScoreTable& table) const;
  // Removes every row's file, as when the table is cleared: a fresh default row must not
  // inherit the recording of a player's row that happened to match it.
  std::vector<std::string> PruneAll() const;

 private:
  std::vector<std::string> RemoveRowsExcept(const std::vector<std::string>& kept) const;
  void Save(const std::string& path, std::span<const uint8_t> bytes) const;

  std::string folder_;
};

}  // namespace brinecast
