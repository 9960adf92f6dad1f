// Recordings as jobs shared by every verifier on one database: a claim is held by one holder
// at a time, lost when its lease runs out or is given back, renewed only by its holder, and a
// recording is judged once; many claimers at once never get the same recording. On SQLite
// and PostgreSQL alike, and a database of the previous schema keeps its waiting recordings.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <sqlite3.h>

#include <algorithm>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "PgCluster.h"
#include "scores/store/ScoreStore.h"
#include "scores/store/TokenSigner.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using testing::PgCluster;
using testing::ScratchFolder;

// Each backend's database, fresh per call.
class Databases {
 public:
  Databases() {
    const auto bin = PgCluster::FindBinaries();
    if (!bin.empty()) cluster_ = std::make_unique<PgCluster>(bin);
  }
  bool HasPostgres() const { return cluster_ && cluster_->started(); }
  std::string Sqlite() {
    return (folder_.Path() / ("s" + std::to_string(++made_) + ".db")).string();
  }
  std::string Postgres() {
    const std::string name = "p" + std::to_string(++made_);
    return cluster_->CreateDatabase(name) ? cluster_->Uri(name) : std::string();
  }
  // Where each backend's stores go: SQLite always, PostgreSQL when installed.
  std::vector<std::string> Both() {
    std::vector<std::string> where = {Sqlite()};
    if (HasPostgres()) where.push_back(Postgres());
    return where;
  }

 private:
  ScratchFolder folder_;
  std::unique_ptr<PgCluster> cluster_;
  int made_ = 0;
};

// Stores a score and its recording, received at `now`; the score's id.
int64_t Waiting(ScoreStore& store, const std::string& token, const std::string& bytes,
                int64_t now = 40) {
  const SubmitRules rules{"10.0.0.1", 1000, 1000, 1000, 2000};
  EXPECT_EQ(store.Submit(token, rules, {"Ann", 10, "", 30, "10.0.0.1"}), SubmitOutcome::kStored);
  const UploadResult upload = store.StoreRecording(TokenDigest(token), now, bytes);
  EXPECT_EQ(upload.outcome, UploadOutcome::kStored);
  return upload.id;
}

int64_t Claimed(ScoreStore& store, const std::string& holder, int64_t lease = 60) {
  const std::optional<WaitingRecording> job = store.ClaimRecording(holder, lease);
  return job ? job->id : 0;
}

// A lease of -1 has run out as it is taken, as that of a holder gone silent.
TEST(RecordingJobs, ClaimsAreHeldByOneAndLostWithTheirLease) {
  Databases databases;
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    const std::unique_ptr<ScoreStore> store = OpenScoreStore(where);
    const int64_t first = Waiting(*store, "t1", "one");
    const int64_t second = Waiting(*store, "t2", std::string("t\0o", 3));
    EXPECT_EQ(store->CountWaiting(), 2);
    const std::optional<WaitingRecording> job = store->ClaimRecording("a", 60);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->id, first);
    EXPECT_EQ(job->bytes, "one");
    EXPECT_EQ(job->entry.name, "Ann");
    EXPECT_EQ(Claimed(*store, "b", -1), second);
    // b fell silent: c takes its recording, never a's.
    EXPECT_EQ(Claimed(*store, "c"), second);
    EXPECT_EQ(Claimed(*store, "d"), 0);
    // Judged once: the verdict that comes second is not saved.
    const SavedVerdict judged = store->SaveFirstVerdict(second, {false, "replay crashed", ""});
    EXPECT_TRUE(judged.saved);
    EXPECT_FALSE(store->SaveFirstVerdict(second, {true, "replayed", "g"}).saved);
    EXPECT_FALSE(store->List(2)[1].entry.proven);
    EXPECT_EQ(store->CountWaiting(), 1);
    // Given back, it goes to the next at once.
    store->ReleaseClaims("a");
    EXPECT_EQ(Claimed(*store, "d"), first);
    // Only the holder's own renewal moves its lease.
    store->RenewClaims("a", -1);
    EXPECT_EQ(Claimed(*store, "e"), 0);
    store->RenewClaims("d", -1);
    EXPECT_EQ(Claimed(*store, "e"), first);
    EXPECT_TRUE(store->SaveFirstVerdict(first, {true, "replayed", "g"}).proven);
    EXPECT_EQ(Claimed(*store, "f", -1), 0);
    EXPECT_EQ(store->CountWaiting(), 0);
  }
}

// Claimers on two stores (two servers) with several threads each take every recording once.
TEST(RecordingJobs, ClaimersAtOnceNeverShareARecording) {
  Databases databases;
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    std::unique_ptr<ScoreStore> stores[] = {OpenScoreStore(where), OpenScoreStore(where)};
    std::vector<int64_t> stored;
    for (int i = 0; i < 40; ++i)
      stored.push_back(Waiting(*stores[0], "t" + std::to_string(i), "r"));
    std::mutex mutex;
    std::vector<int64_t> taken;
    std::vector<std::thread> claimers;
    for (int i = 0; i < 6; ++i) {
      claimers.emplace_back([&, i] {
        ScoreStore& store = *stores[i % 2];
        const std::string holder = "holder" + std::to_string(i);
        while (const int64_t id = Claimed(store, holder)) {
          std::lock_guard lock(mutex);
          taken.push_back(id);
        }
      });
    }
    for (std::thread& t : claimers) t.join();
    std::sort(taken.begin(), taken.end());
    EXPECT_EQ(taken, stored);
  }
}

// Each sender's waiting recordings are counted, for its share of the queue; a recording
// waits behind an older one of the same bytes, then is judged by what that one's replay said.
TEST(RecordingJobs, SendersAreCountedAndIdenticalBytesWaitForTheFirstReplay) {
  Databases databases;
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    const std::unique_ptr<ScoreStore> store = OpenScoreStore(where);
    int64_t ids[4] = {};
    const char* bytes[] = {"same", "same", "other", "late"};
    const char* senders[] = {"10.0.0.7", "10.0.0.7", "2001:db8::/64", "10.0.0.7"};
    for (int i = 0; i < 4; ++i) {
      const std::string token = "s" + std::to_string(i);
      ASSERT_EQ(store->Submit(token, {"k", 1000, 1000, 1000, 2000}, {"Ann", 10, "", 30, "a"}),
                SubmitOutcome::kStored);
      const UploadResult upload =
          store->StoreRecording(TokenDigest(token), 40 + i, bytes[i], senders[i]);
      ASSERT_EQ(upload.outcome, UploadOutcome::kStored);
      ids[i] = upload.id;
    }
    EXPECT_EQ(store->CountWaitingFrom("10.0.0.7"), 3);
    EXPECT_EQ(store->CountWaitingFrom("2001:db8::/64"), 1);
    EXPECT_EQ(store->CountWaitingFrom("10.0.0.8"), 0);

    const std::optional<WaitingRecording> first = store->ClaimFirstOfItsBytes("a", 60);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->id, ids[0]);
    EXPECT_EQ(first->digest, TokenDigest("same"));
    EXPECT_FALSE(store->ReplayedBefore(first->digest, ids[1]));
    // The copy is passed over while the first waits.
    EXPECT_EQ(store->ClaimFirstOfItsBytes("b", 60)->id, ids[2]);
    EXPECT_EQ(store->ClaimFirstOfItsBytes("c", 60)->id, ids[3]);
    EXPECT_FALSE(store->ClaimFirstOfItsBytes("d", 60));
    // A refusal without a replay says nothing about the bytes.
    ASSERT_EQ(store->PurgeRecordings(44, "waited too long"), 4);
    EXPECT_FALSE(store->ReplayedBefore(first->digest, ids[1]));
  }
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    const std::unique_ptr<ScoreStore> store = OpenScoreStore(where);
    const int64_t first = Waiting(*store, "f", "same");
    const int64_t copy = Waiting(*store, "c", "same");
    ASSERT_EQ(Claimed(*store, "a"), first);
    EXPECT_FALSE(store->ClaimFirstOfItsBytes("b", 60));
    RecordingVerdict verdict{false, "replay crashed", ""};
    verdict.replayed = true;
    verdict.report = "{\"score\":1}";
    ASSERT_TRUE(store->SaveFirstVerdict(first, verdict).saved);
    const std::optional<RecordingVerdict> before = store->ReplayedBefore(TokenDigest("same"), copy);
    ASSERT_TRUE(before);
    EXPECT_EQ(before->reason, "replay crashed");
    EXPECT_EQ(before->report, verdict.report);
    EXPECT_FALSE(store->ReplayedBefore(TokenDigest("same"), first));
    EXPECT_EQ(store->ClaimFirstOfItsBytes("b", 60)->id, copy);
  }
}

// What proves nothing goes: a recording waiting too long is refused, a refused one keeps its
// verdict but not its bytes; a proof and a recording within its time are kept.
TEST(RecordingJobs, RecordingsThatProveNothingArePurged) {
  Databases databases;
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    const std::unique_ptr<ScoreStore> store = OpenScoreStore(where);
    const int64_t late = Waiting(*store, "late", "never verified", 40);
    const int64_t refused = Waiting(*store, "refused", "a forgery", 40);
    const int64_t proven = Waiting(*store, "proven", "the game", 40);
    const int64_t fresh = Waiting(*store, "fresh", "just sent", 100);
    ASSERT_TRUE(store->SaveFirstVerdict(refused, {false, "replay refused", ""}).saved);
    ASSERT_TRUE(store->SaveFirstVerdict(proven, {true, "replayed", "g"}).proven);
    // The late one is refused and loses its bytes, as the refused one does.
    EXPECT_EQ(store->PurgeRecordings(60, "not verified in time"), 2);
    EXPECT_EQ(store->PurgeRecordings(60, "not verified in time"), 0);
    EXPECT_FALSE(store->SaveFirstVerdict(late, {true, "replayed", "h"}).saved);
    EXPECT_EQ(store->StoreRecording(TokenDigest("late"), 70, "again").outcome,
              UploadOutcome::kAlreadySent);
    EXPECT_EQ(store->ProvenRecording(proven), "the game");
    EXPECT_EQ(Claimed(*store, "a"), fresh);
    EXPECT_EQ(store->CountWaiting(), 1);
  }
}

bool SqliteExec(const std::string& file, const std::string& sql) {
  sqlite3* db = nullptr;
  const bool ok = sqlite3_open(file.c_str(), &db) == SQLITE_OK &&
                  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

bool PgExec(const std::string& uri, const std::string& sql) {
  PGconn* conn = PQconnectdb(uri.c_str());
  bool ok = false;
  if (PQstatus(conn) == CONNECTION_OK) {
    PGresult* result = PQexec(conn, sql.c_str());
    ok = PQresultStatus(result) == PGRES_COMMAND_OK;
    PQclear(result);
  }
  PQfinish(conn);
  return ok;
}

// The previous schema's tables, {int} and {bytes} spelt per database, with a score whose
// recording waits.
std::string PreviousSchema(bool postgres) {
  std::string sql =
      "CREATE TABLE meta(key TEXT PRIMARY KEY, value {value} NOT NULL);"
      "CREATE TABLE scores(id {id}, name TEXT NOT NULL, score {int} NOT NULL, text TEXT NOT "
      "NULL, time {int} NOT NULL, address TEXT NOT NULL, client TEXT NOT NULL DEFAULT '', "
      "upload_token TEXT, upload_until {int} NOT NULL DEFAULT 0, proven {bool} NOT NULL "
      "DEFAULT {false});"
      "CREATE TABLE used_tokens(token TEXT PRIMARY KEY, expires {int} NOT NULL);"
      "CREATE TABLE banned(name TEXT PRIMARY KEY);"
      "CREATE TABLE recordings(score_id {int} PRIMARY KEY, data {bytes} NOT NULL, received "
      "{int} NOT NULL, state TEXT NOT NULL DEFAULT 'waiting', reason TEXT NOT NULL DEFAULT '', "
      "game TEXT);"
      "INSERT INTO meta VALUES('schema', '4'), ('score_count', '1'), ('secret', 'ab');"
      "INSERT INTO scores(name, score, text, time, address, client) VALUES "
      "('Four', 70, 'x', 5, '10.0.0.1', '10.0.0.1');"
      "INSERT INTO recordings(score_id, data, received) VALUES(1, {rec}, 6);";
  const std::pair<std::string, std::string> words[] = {
      {"{value}", postgres ? "TEXT" : ""},
      {"{id}", postgres ? "BIGSERIAL PRIMARY KEY" : "INTEGER PRIMARY KEY"},
      {"{int}", postgres ? "BIGINT" : "INTEGER"},
      {"{bool}", postgres ? "BOOLEAN" : "INTEGER"},
      {"{false}", postgres ? "false" : "0"},
      {"{bytes}", postgres ? "BYTEA" : "BLOB"},
      {"{rec}", postgres ? "'\\x72ff'::bytea" : "x'72ff'"}};
  for (const auto& [word, spelling] : words) {
    for (size_t at = sql.find(word); at != std::string::npos; at = sql.find(word, at)) {
      sql.replace(at, word.size(), spelling);
    }
  }
  return sql;
}

TEST(RecordingJobs, PreviousSchemaGainsLeasesKeepingWaitingRecordings) {
  Databases databases;
  for (const std::string& where : databases.Both()) {
    SCOPED_TRACE(where);
    const bool postgres = where.starts_with("postgresql://");
    ASSERT_TRUE(postgres ? PgExec(where, PreviousSchema(true))
                         : SqliteExec(where, PreviousSchema(false)));
    const std::unique_ptr<ScoreStore> store = OpenScoreStore(where);
    EXPECT_EQ(store->SchemaVersion(), kSchemaVersion);
    EXPECT_EQ(store->Secret(), "ab");
    const std::optional<WaitingRecording> job = store->ClaimRecording("a", 60);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->entry.name, "Four");
    EXPECT_EQ(job->bytes, "r\xff");
    EXPECT_FALSE(store->ClaimRecording("b", 60));
    EXPECT_TRUE(store->SaveFirstVerdict(job->id, {true, "replayed", "g"}).proven);
    EXPECT_EQ(store->Ranked(5, true).size(), 1u);
  }
}

}  // namespace
}  // namespace brinecast::scores
