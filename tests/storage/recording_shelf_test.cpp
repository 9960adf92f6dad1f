// The recordings in the player's folder: names found from the rows, atomic writes, reading
// back, and pruning that removes only the files of rows gone from the table.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "FileBytes.h"
#include "storage/HighScores.h"
#include "storage/RecordingShelf.h"
#include "support/ScratchFolder.h"

namespace brinecast {
namespace {

namespace fs = std::filesystem;
using testing::ScratchFolder;

std::vector<uint8_t> Recording(uint8_t seed, size_t size = 300) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(seed + i * 37);
  return bytes;
}

HighScoreTable DefaultTable() {
  TConfig config;
  ResetHighScores(config);
  return config.HighScores;
}

struct NameCase {
  std::vector<THighScore> top;  // the first rows; the rest stay as the defaults
  size_t row;
  const char* expected;
};

TEST(RecordingShelf, ARowsFileIsNamedByItsNameInHexItsScoreAndItsOrdinal) {
  const NameCase cases[] = {
      {{{"Ann", 12345}}, 0, "row-416e6e-12345-1.bcreplay"},
      {{}, 9, "row-416e6f6e796d6f7573-1000-1.bcreplay"},
      {{{"", 0}}, 0, "row--0-1.bcreplay"},
      {{{"a-b/c.\xff", 4294967295u}}, 0, "row-612d622f632eff-4294967295-1.bcreplay"},
      {{{"Bob", 7}, {"Bob", 7}, {"Bob", 7}}, 2, "row-426f62-7-3.bcreplay"},
      // Only rows identical in name and score count for the ordinal.
      {{{"Bob", 7}, {"bob", 7}, {"Bob", 8}, {"Bob", 7}}, 3, "row-426f62-7-2.bcreplay"},
      {{{"Bob", 7}, {"bob", 7}}, 1, "row-626f62-7-1.bcreplay"},
  };
  for (const NameCase& c : cases) {
    HighScoreTable table = DefaultTable();
    std::copy(c.top.begin(), c.top.end(), table.begin());
    EXPECT_EQ(RecordingShelf::RowFileName(table, c.row), c.expected) << c.expected;
  }
}

// Every row that stays in the table after an insert keeps the name its file had.
TEST(RecordingShelf, InsertingARowRenamesNoOtherRowsFile) {
  struct InsertCase {
    std::vector<THighScore> top;
    const char* name;
    int64_t score;
  };
  const InsertCase cases[] = {
      {{}, "Ann", 50000},
      {{}, "Ann", 5500},
      {{{"Bob", 9000}, {"Bob", 9000}}, "Bob", 9000},
      {{{"Bob", 9000}, {"Bob", 9000}}, "Bob", 9500},
      {{{"Bob", 9000}, {"Bob", 9000}, {"Bob", 9000}}, "Bob", 20000},
  };
  for (const InsertCase& c : cases) {
    TConfig config;
    ResetHighScores(config);
    std::copy(c.top.begin(), c.top.end(), config.HighScores.begin());
    SortHighScores(config);
    std::vector<std::string> before;
    for (size_t row = 0; row < 10; ++row) {
      before.push_back(RecordingShelf::RowFileName(config.HighScores, row));
    }
    const int place = InsertHighScore(config, c.name, c.score);
    ASSERT_GT(place, 0) << c.name << " " << c.score;
    for (size_t row = 0; row < 10; ++row) {
      if (static_cast<int>(row) + 1 == place) continue;
      // Rows below the new one moved down by one; the old row 10 is gone.
      const size_t old = static_cast<int>(row) + 1 > place ? row - 1 : row;
      EXPECT_EQ(RecordingShelf::RowFileName(config.HighScores, row), before[old])
          << c.name << " " << c.score << " row " << row;
    }
  }
}

TEST(RecordingShelf, SavedFilesReadBackWholeAndLeaveNoTemporaryFile) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  EXPECT_EQ(shelf.Folder(), player / "Recordings");
  const HighScoreTable table = DefaultTable();

  shelf.SaveLast(Recording(1));
  shelf.SaveRow(table, 3, Recording(2, 0));
  shelf.SaveRow(table, 4, Recording(3, 70000));
  EXPECT_EQ(RecordingShelf::Read(shelf.LastPath()), Recording(1));
  EXPECT_EQ(RecordingShelf::Read(shelf.RowPath(table, 3)), Recording(2, 0));
  EXPECT_EQ(RecordingShelf::Read(shelf.RowPath(table, 4)), Recording(3, 70000));
  // The next game's replaces the last.
  shelf.SaveLast(Recording(9, 10));
  EXPECT_EQ(RecordingShelf::Read(shelf.LastPath()), Recording(9, 10));
  EXPECT_EQ(FilesIn(shelf.Folder()),
            (std::set<std::string>{"last.bcreplay", RecordingShelf::RowFileName(table, 3),
                                   RecordingShelf::RowFileName(table, 4)}));
  // Nothing else in the player's folder changed.
  EXPECT_EQ(FilesIn(player.Path().string()), std::set<std::string>{"Recordings"});
}

TEST(RecordingShelf, APlayersFolderNotYetMadeIsMade) {
  ScratchFolder base;
  const RecordingShelf shelf(base / "later/brinecast");
  shelf.SaveLast(Recording(4));
  EXPECT_EQ(ReadBytes(base / "later/brinecast/Recordings/last.bcreplay"), Recording(4));
}

TEST(RecordingShelf, WhateverHoldsTheTemporaryNameIsReplacedNotWrittenThrough) {
  ScratchFolder player;
  ScratchFolder elsewhere;
  const RecordingShelf shelf(player.Dir());
  shelf.SaveLast(Recording(1));
  WriteBytes(elsewhere / "victim", Recording(7));
  fs::create_symlink(elsewhere / "victim", shelf.LastPath() + ".tmp");
  shelf.SaveLast(Recording(2));
  EXPECT_EQ(RecordingShelf::Read(shelf.LastPath()), Recording(2));
  EXPECT_EQ(ReadBytes(elsewhere / "victim"), Recording(7));
  EXPECT_FALSE(fs::exists(fs::symlink_status(shelf.LastPath() + ".tmp")));
}

// The error of a save, or "saved".
template <typename Save>
std::string SaveError(Save save) {
  try {
    save();
  } catch (const EInOutError& e) {
    return e.what();
  }
  return "saved";
}

TEST(RecordingShelf, FailedWritesAreReportedAndKeepTheOldFile) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  shelf.SaveLast(Recording(1));
  // Something that cannot be removed holds the temporary name.
  fs::create_directories(shelf.LastPath() + ".tmp/inside");
  EXPECT_EQ(SaveError([&] { shelf.SaveLast(Recording(2)); }),
            "Cannot write " + shelf.LastPath() + ".tmp: Is a directory");
  EXPECT_EQ(RecordingShelf::Read(shelf.LastPath()), Recording(1));

  // A plain file where the folder must be.
  ScratchFolder other;
  WriteBytes(other / "Recordings", {1, 2, 3});
  const RecordingShelf blocked(other.Dir());
  const std::string error = SaveError([&] { blocked.SaveLast(Recording(3)); });
  EXPECT_EQ(error.rfind("Cannot write " + blocked.LastPath() + ": ", 0), 0u) << error;
  EXPECT_EQ(ReadBytes(other / "Recordings"), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(RecordingShelfLimitDeathTest, AWriteFailingHalfWayLeavesTheOldFileAsItWas) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  const HighScoreTable table = DefaultTable();
  shelf.SaveRow(table, 0, Recording(5, 50));
  const auto body = [&] {
    // Files may grow to 100 bytes only, as on a disk that fills up mid-write.
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{100, 100};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 90;
    const std::string error = SaveError([&] { shelf.SaveRow(table, 0, Recording(6, 5000)); });
    if (error != "Cannot write " + shelf.RowPath(table, 0) + ": File too large") {
      std::fprintf(stderr, "message: %s\n", error.c_str());
      return 1;
    }
    return 0;
  };
  EXPECT_EXIT(std::_Exit(body()), ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(RecordingShelf::Read(shelf.RowPath(table, 0)), Recording(5, 50));
  EXPECT_FALSE(fs::exists(fs::symlink_status(shelf.RowPath(table, 0) + ".tmp")));
}

TEST(RecordingShelf, ReadGivesNothingForWhatIsNotAPlainFileOfOurs) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  EXPECT_EQ(RecordingShelf::Read(shelf.LastPath()), std::nullopt);  // no folder yet
  fs::create_directories(shelf.Folder());
  WriteBytes(player / "elsewhere", Recording(1));
  const std::string link = shelf.Folder() + "/link.bcreplay";
  const std::string pipe = shelf.Folder() + "/pipe.bcreplay";
  const std::string folder = shelf.Folder() + "/folder.bcreplay";
  const std::string big = shelf.Folder() + "/big.bcreplay";
  fs::create_symlink(player / "elsewhere", link);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  fs::create_directory(folder);
  ASSERT_EQ(::truncate((WriteBytes(big, {}), big).c_str(),
                       static_cast<off_t>(RecordingShelf::kMaxFileBytes + 1)),
            0);
  for (const std::string& path : {link, pipe, folder, big, shelf.LastPath()}) {
    EXPECT_EQ(RecordingShelf::Read(path), std::nullopt) << path;
  }
}

TEST(RecordingShelf, PruningRemovesOnlyTheFilesOfRowsNoLongerInTheTable) {
  ScratchFolder player;
  ScratchFolder elsewhere;
  const RecordingShelf shelf(player.Dir());
  TConfig config;
  ResetHighScores(config);
  InsertHighScore(config, "Bob", 9000);
  InsertHighScore(config, "Bob", 9000);
  const HighScoreTable before = config.HighScores;
  for (size_t row = 0; row < 10; ++row) shelf.SaveRow(before, row, Recording(row));
  shelf.SaveLast(Recording(42));
  // A crashed write of a row that will fall off, and one of a row that stays.
  WriteBytes(shelf.RowPath(before, 9) + ".tmp", Recording(8));
  WriteBytes(shelf.RowPath(before, 0) + ".tmp", Recording(8));

  // Names close to ours but not ours, and things that are not plain files under our names.
  const std::vector<std::string> foreign = {
      "row-426F62-9000-3.bcreplay",        // upper-case hex
      "row-426f62-09000-3.bcreplay",       // a leading zero
      "row-426f62-9000-0.bcreplay",        // no such ordinal
      "row-426f62-9000-11.bcreplay",       // nor this one
      "row-426f6-9000-3.bcreplay",         // half a byte
      "row-426f62-4294967296-1.bcreplay",  // beyond a row's score
      "row-426f62-9000-3.bcreplay.bak",   "notes.txt", "row-426f62-9000-3",
  };
  for (const std::string& name : foreign) WriteBytes(shelf.Folder() + "/" + name, Recording(3));
  WriteBytes(elsewhere / "target", Recording(4));
  const std::string planted = "row-6c696e6b-9000-1.bcreplay";
  const std::string folder = "row-666f6c646572-9000-1.bcreplay";
  fs::create_symlink(elsewhere / "target", shelf.Folder() + "/" + planted);
  fs::create_directories(shelf.Folder() + "/" + folder + "/inside");
  WriteBytes(player / "Config.cfg", Recording(5));

  // Two better games push the two lowest rows out.
  InsertHighScore(config, "Cy", 20000);
  InsertHighScore(config, "Bob", 9000);
  const std::vector<std::string> removed = shelf.Prune(config.HighScores);
  std::vector<std::string> expected = {RecordingShelf::RowFileName(before, 8),
                                       RecordingShelf::RowFileName(before, 9),
                                       RecordingShelf::RowFileName(before, 9) + ".tmp"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(removed, expected);

  std::set<std::string> left = {"last.bcreplay", planted, folder,
                                RecordingShelf::RowFileName(before, 0) + ".tmp"};
  left.insert(foreign.begin(), foreign.end());
  for (size_t row = 0; row < 8; ++row) left.insert(RecordingShelf::RowFileName(before, row));
  EXPECT_EQ(FilesIn(shelf.Folder()), left);
  // Each row still in the table finds its own recording; the two new rows have none yet.
  std::set<std::string> fresh;
  for (size_t row = 0; row < 10; ++row) {
    const std::string name = RecordingShelf::RowFileName(config.HighScores, row);
    const auto bytes = RecordingShelf::Read(shelf.RowPath(config.HighScores, row));
    size_t old = 0;
    while (old < 10 && RecordingShelf::RowFileName(before, old) != name) ++old;
    if (old == 10) {
      fresh.insert(name);
      EXPECT_EQ(bytes, std::nullopt) << name;
    } else {
      EXPECT_EQ(bytes, Recording(static_cast<uint8_t>(old))) << name;
    }
  }
  EXPECT_EQ(fresh,
            (std::set<std::string>{"row-4379-20000-1.bcreplay", "row-426f62-9000-3.bcreplay"}));
  EXPECT_EQ(ReadBytes(elsewhere / "target"), Recording(4));
  EXPECT_EQ(ReadBytes(player / "Config.cfg"), Recording(5));
}

TEST(RecordingShelf, ClearingRemovesEveryRowsFileAndNothingElse) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  const HighScoreTable table = DefaultTable();
  shelf.SaveRow(table, 0, Recording(1));
  shelf.SaveRow(table, 9, Recording(2));
  shelf.SaveLast(Recording(3));
  WriteBytes(shelf.Folder() + "/mine.bcreplay", Recording(4));
  const std::vector<std::string> removed = shelf.PruneAll();
  // Sorted by name: "1000-" before "10000-".
  EXPECT_EQ(removed, (std::vector<std::string>{RecordingShelf::RowFileName(table, 9),
                                               RecordingShelf::RowFileName(table, 0)}));
  EXPECT_EQ(FilesIn(shelf.Folder()), (std::set<std::string>{"last.bcreplay", "mine.bcreplay"}));
}

TEST(RecordingShelf, PruningWithoutAFolderDoesNothing) {
  ScratchFolder player;
  const RecordingShelf shelf(player.Dir());
  EXPECT_TRUE(shelf.Prune(DefaultTable()).empty());
  EXPECT_FALSE(fs::exists(shelf.Folder()));
}

}  // namespace
}  // namespace brinecast
