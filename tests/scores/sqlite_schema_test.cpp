// Tests of the SQLite store's schema: a first-version file is upgraded in place, a newer one
// refused, and an online backup is a working copy.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "TempDir.h"
#include "scores/SqliteStore.h"

namespace brinecast::scores {
namespace {

using testing::TempDir;

bool Exec(const std::string& file, const char* sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

TEST(SqliteSchema, VersionOneFileIsUpgradedKeepingItsScores) {
  TempDir folder;
  const std::string file = (folder.path() / "old.db").string();
  ASSERT_TRUE(Exec(file,
                   "CREATE TABLE tokens(token TEXT PRIMARY KEY, address TEXT NOT NULL, "
                   "issued INTEGER NOT NULL);"
                   "CREATE INDEX tokens_by_address ON tokens(address, issued);"
                   "CREATE TABLE scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                   "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL, "
                   "address TEXT NOT NULL);"
                   "CREATE INDEX scores_by_rank ON scores(score DESC, time, id);"
                   "CREATE INDEX scores_by_address ON scores(address, time);"
                   "INSERT INTO tokens VALUES('abc', '10.0.0.1', 1);"
                   "INSERT INTO scores(name, score, text, time, address) VALUES "
                   "('Old', 70, 'x', 5, '10.0.0.1'), ('Older', 50, 'y', 4, '10.0.0.2');"));
  SqliteStore store(file);
  EXPECT_EQ(store.SchemaVersion(), kSchemaVersion);
  EXPECT_EQ(store.CountScores(), 2);
  // The old scores count against their address's limit as new ones do.
  EXPECT_EQ(store.Submit("t", {"10.0.0.1", 1, 100, 1000}, {"Again", 1, "", 30, "10.0.0.1"}),
            SubmitOutcome::kTooMany);
  EXPECT_EQ(store.Submit("t", {"10.0.0.3", 1, 100, 1000}, {"New", 60, "", 30, "10.0.0.3"}),
            SubmitOutcome::kStored);
  const auto top = store.Top(5);
  ASSERT_EQ(top.size(), 3u);
  EXPECT_EQ(top[0].name, "Old");
  EXPECT_EQ(top[1].name, "New");
}

TEST(SqliteSchema, NewerSchemaIsRefusedSayingSo) {
  TempDir folder;
  const std::string file = (folder.path() / "new.db").string();
  { SqliteStore store(file); }
  ASSERT_TRUE(Exec(file, "UPDATE meta SET value = 99 WHERE key = 'schema'"));
  try {
    SqliteStore store(file);
    FAIL() << "opened a database of a later version";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("newer"), std::string::npos) << e.what();
  }
}

TEST(SqliteSchema, OnlineBackupIsAWorkingCopy) {
  TempDir folder;
  SqliteStore store((folder.path() / "live.db").string());
  const std::string secret = store.Secret();
  ASSERT_EQ(store.Submit("t", {"a", 10, 100, 1000}, {"Kept", 5, "", 1, "a"}),
            SubmitOutcome::kStored);
  const std::string copy = (folder.path() / "copy.db").string();
  store.Backup(copy);
  ASSERT_EQ(store.Submit("u", {"a", 10, 100, 1000}, {"Later", 6, "", 2, "a"}),
            SubmitOutcome::kStored);
  SqliteStore restored(copy);
  EXPECT_EQ(restored.CountScores(), 1);
  EXPECT_EQ(restored.Top(1)[0].name, "Kept");
  EXPECT_EQ(restored.Secret(), secret);
}

}  // namespace
}  // namespace brinecast::scores
