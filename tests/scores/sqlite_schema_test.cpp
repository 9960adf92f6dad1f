// Tests of the SQLite store's schema: a first-version file is upgraded in place, a newer one
// refused, and an online backup is a working copy.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

#include "scores/store/SqliteStore.h"
#include "scores/store/TokenSigner.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using testing::ScratchFolder;

bool Exec(const std::string& file, const char* sql) {
  sqlite3* db = nullptr;
  bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
            sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

TEST(SqliteSchema, VersionOneFileIsUpgradedKeepingItsScores) {
  ScratchFolder folder;
  const std::string file = (folder.Path() / "old.db").string();
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

// A second-version file gains recordings in place; its scores are kept and may be proven.
TEST(SqliteSchema, VersionTwoFileIsUpgradedKeepingItsScores) {
  ScratchFolder folder;
  const std::string file = (folder.Path() / "two.db").string();
  ASSERT_TRUE(Exec(file,
                   "CREATE TABLE meta(key TEXT PRIMARY KEY, value NOT NULL);"
                   "CREATE TABLE scores(id INTEGER PRIMARY KEY, name TEXT NOT NULL, "
                   "score INTEGER NOT NULL, text TEXT NOT NULL, time INTEGER NOT NULL, "
                   "address TEXT NOT NULL, client TEXT NOT NULL DEFAULT '');"
                   "CREATE INDEX scores_by_rank ON scores(score DESC, time, id);"
                   "CREATE TABLE used_tokens(token TEXT PRIMARY KEY, expires INTEGER NOT NULL);"
                   "CREATE TABLE banned(name TEXT PRIMARY KEY);"
                   "INSERT INTO meta VALUES('schema', 2), ('score_count', 1), ('secret', 'ab');"
                   "INSERT INTO scores(name, score, text, time, address, client) VALUES "
                   "('Two', 70, 'x', 5, '10.0.0.1', '10.0.0.1');"));
  SqliteStore store(file);
  EXPECT_EQ(store.SchemaVersion(), kSchemaVersion);
  EXPECT_EQ(store.Secret(), "ab");
  ASSERT_EQ(store.List(5).size(), 1u);
  EXPECT_EQ(store.List(5)[0].entry.name, "Two");
  EXPECT_FALSE(store.List(5)[0].entry.proven);
  SubmitRules rules{"10.0.0.3", 10, 100, 1000, 2000};
  ASSERT_EQ(store.Submit("t", rules, {"New", 60, "", 30, "10.0.0.3"}), SubmitOutcome::kStored);
  const UploadResult upload = store.StoreRecording(TokenDigest("t"), 40, "rec");
  ASSERT_EQ(upload.outcome, UploadOutcome::kStored);
  EXPECT_TRUE(store.SaveVerdict(upload.id, {true, "replayed", "g"}));
  EXPECT_EQ(store.Ranked(5, true).size(), 1u);
}

// Bans kept as typed before are matched as the table shows names once upgraded.
TEST(SqliteSchema, EarlierBansHoldForEverySpellingAfterTheUpgrade) {
  ScratchFolder folder;
  const std::string file = (folder.Path() / "three.db").string();
  { SqliteStore store(file); }
  ASSERT_TRUE(Exec(file,
                   "UPDATE meta SET value = 3 WHERE key = 'schema';"
                   "INSERT INTO banned VALUES('Evil '), ('EVIL'), ('Nasty');"));
  SqliteStore store(file);
  EXPECT_EQ(store.SchemaVersion(), kSchemaVersion);
  const SubmitRules rules{"10.0.0.3", 10, 100, 1000, 2000};
  int token = 0;
  for (const char* name : {"evil", " Evil", "NASTY", "nasty "}) {
    EXPECT_EQ(store.Submit("t" + std::to_string(token++), rules, {name, 1, "", 30, "10.0.0.3"}),
              SubmitOutcome::kBanned)
        << name;
  }
  EXPECT_EQ(store.Submit("t", rules, {"Nice", 1, "", 30, "10.0.0.3"}), SubmitOutcome::kStored);
}

TEST(SqliteSchema, NewerSchemaIsRefusedSayingSo) {
  ScratchFolder folder;
  const std::string file = (folder.Path() / "new.db").string();
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
  ScratchFolder folder;
  SqliteStore store((folder.Path() / "live.db").string());
  const std::string secret = store.Secret();
  ASSERT_EQ(store.Submit("t", {"a", 10, 100, 1000}, {"Kept", 5, "", 1, "a"}),
            SubmitOutcome::kStored);
  const std::string copy = (folder.Path() / "copy.db").string();
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
