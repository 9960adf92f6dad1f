// Tests of the score stores: the same checks on SQLite and PostgreSQL, and their errors.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
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

// Opens the one store a check works on; calling it again reopens the same place.
using Opener = std::function<std::unique_ptr<ScoreStore>()>;

ScoreEntry Entry(const std::string& name, int64_t score, int64_t time) {
  return {name, score, "note " + name, time, "10.0.0.1"};
}

SubmitRules Rules(int perMinute = 1000, int64_t maxScores = 1000, int64_t expires = 10'000) {
  return {"10.0.0.1", perMinute, maxScores, expires};
}

// Stores each entry with a token of its own; false when one is not stored.
bool StoreAll(ScoreStore& store, const std::vector<ScoreEntry>& entries) {
  static int next = 0;
  for (const ScoreEntry& e : entries) {
    if (store.Submit("fill" + std::to_string(next++), Rules(), e) != SubmitOutcome::kStored) {
      return false;
    }
  }
  return true;
}

std::vector<int64_t> Scores(ScoreStore& store) {
  std::vector<int64_t> scores;
  for (const ScoreEntry& e : store.Top(100)) scores.push_back(e.score);
  return scores;
}

void TokenIsUsedOnceAndStoresItsScore(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  EXPECT_EQ(store->Submit("tok1", Rules(), Entry("Ann", 500, 110)), SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("tok1", Rules(), Entry("Ann", 500, 111)), SubmitOutcome::kTokenUsed);
  const std::vector<ScoreEntry> top = store->Top(10);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Ann");
  EXPECT_EQ(top[0].score, 500);
  EXPECT_EQ(top[0].text, "note Ann");
  EXPECT_EQ(top[0].time, 110);
  EXPECT_EQ(top[0].address, "10.0.0.1");
  EXPECT_EQ(store->CountScores(), 1);
}

// The record of a used token goes once the token has expired, so it cannot pile up.
void UsedTokensAreForgottenOnceExpired(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_EQ(store->Submit("old", Rules(1000, 1000, 200), Entry("A", 1, 100)),
            SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("old", Rules(1000, 1000, 200), Entry("A", 1, 200)),
            SubmitOutcome::kTokenUsed);
  EXPECT_EQ(store->Submit("old", Rules(1000, 1000, 900), Entry("A", 1, 201)),
            SubmitOutcome::kStored);
}

void TopIsBestFirstEarlierFirstOnTiesAndLimited(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_TRUE(
      StoreAll(*store, {Entry("low", -5, 1), Entry("tieLate", 300, 9), Entry("best", INT64_MAX, 5),
                        Entry("tieEarly", 300, 2), Entry("mid", 0, 3)}));
  std::vector<std::string> order;
  for (const ScoreEntry& e : store->Top(4)) order.push_back(e.name);
  EXPECT_EQ(order, (std::vector<std::string>{"best", "tieEarly", "tieLate", "mid"}));
  EXPECT_EQ(store->Top(100).back().score, -5);
}

// A refused submission leaves its token unused.
void SubmissionsPerKeyPerMinuteAreLimited(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  EXPECT_EQ(store->Submit("a", Rules(2), Entry("x", 1, 100)), SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("b", Rules(2), Entry("x", 1, 130)), SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("c", Rules(2), Entry("x", 1, 150)), SubmitOutcome::kTooMany);
  SubmitRules other = Rules(2);
  other.limitKey = "2001:db8::/64";
  EXPECT_EQ(store->Submit("d", other, Entry("x", 1, 150)), SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("c", Rules(2), Entry("x", 1, 161)), SubmitOutcome::kStored);
  EXPECT_EQ(store->CountScores(), 4);
}

void TextsComeBackByteForByte(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const std::vector<std::string> texts = {
      "", "a'b\"c;--", "<script>", "\xE2\x82\xAC uro", "%s%n\\", "Robert'); DROP TABLE scores;--"};
  int n = 0;
  for (const std::string& text : texts) {
    ASSERT_EQ(store->Submit("t" + std::to_string(n), Rules(), {text, n, text, 1, "a"}),
              SubmitOutcome::kStored);
    ++n;
  }
  const std::vector<ScoreEntry> top = store->Top(100);
  ASSERT_EQ(top.size(), texts.size());
  for (const ScoreEntry& e : top) {
    EXPECT_EQ(e.name, texts[static_cast<size_t>(e.score)]);
    EXPECT_EQ(e.text, texts[static_cast<size_t>(e.score)]);
  }
}

// Many at once: one token stores once, and a key's limit holds however they interleave.
void ConcurrentSubmissionsKeepEveryRule(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  std::vector<std::thread> threads;
  std::vector<SubmitOutcome> shared(8), limited(24);
  for (size_t i = 0; i < shared.size(); ++i) {
    threads.emplace_back(
        [&, i] { shared[i] = store->Submit("shared", Rules(), Entry("r", 1, 2)); });
  }
  for (size_t i = 0; i < limited.size(); ++i) {
    threads.emplace_back([&, i] {
      SubmitRules rules = Rules(10);
      rules.limitKey = "9.9.9.9";
      limited[i] = store->Submit("own" + std::to_string(i), rules, Entry("q", 2, 2));
    });
  }
  for (std::thread& t : threads) t.join();
  EXPECT_EQ(std::count(shared.begin(), shared.end(), SubmitOutcome::kStored), 1);
  EXPECT_EQ(std::count(limited.begin(), limited.end(), SubmitOutcome::kStored), 10);
  EXPECT_EQ(store->CountScores(), 11);
}

// A full table keeps its best: a better score pushes out the worst (the newest of the
// lowest), one no better than the worst is refused and changes nothing.
void FullTableKeepsTheBest(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const SubmitRules three = Rules(1000, 3);
  ASSERT_EQ(store->Submit("a", three, Entry("a", 20, 1)), SubmitOutcome::kStored);
  ASSERT_EQ(store->Submit("b", three, Entry("b", 10, 2)), SubmitOutcome::kStored);
  ASSERT_EQ(store->Submit("c", three, Entry("c", 30, 3)), SubmitOutcome::kStored);
  EXPECT_EQ(store->Submit("d", three, Entry("d", 10, 4)), SubmitOutcome::kBelowTable);
  EXPECT_EQ(store->Submit("e", three, Entry("e", 5, 5)), SubmitOutcome::kBelowTable);
  EXPECT_EQ(Scores(*store), (std::vector<int64_t>{30, 20, 10}));
  EXPECT_EQ(store->Submit("d", three, Entry("d", 25, 6)), SubmitOutcome::kStored);
  EXPECT_EQ(Scores(*store), (std::vector<int64_t>{30, 25, 20}));
  EXPECT_EQ(store->Submit("f", three, Entry("f", 1000, 7)), SubmitOutcome::kStored);
  EXPECT_EQ(Scores(*store), (std::vector<int64_t>{1000, 30, 25}));
  EXPECT_EQ(store->CountScores(), 3);
}

void AdminRemovesAndBans(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_TRUE(StoreAll(
      *store, {Entry("Eve", 9, 1), Entry("Bob", 5, 2), Entry("Eve", 3, 3), Entry("eve", 1, 4)}));
  const std::vector<StoredScore> listed = store->List(10);
  ASSERT_EQ(listed.size(), 4u);
  EXPECT_EQ(listed[1].entry.name, "Bob");
  EXPECT_TRUE(store->Remove(listed[1].id));
  EXPECT_FALSE(store->Remove(listed[1].id));
  EXPECT_EQ(store->CountScores(), 3);
  EXPECT_EQ(store->Ban("Eve"), 3);
  EXPECT_EQ(store->CountScores(), 0);
  EXPECT_EQ(store->Submit("late", Rules(), Entry("Eve", 99, 5)), SubmitOutcome::kBanned);
  EXPECT_EQ(store->Submit("late", Rules(), Entry("Evelyn", 99, 5)), SubmitOutcome::kStored);
}

// A ban holds for every spelling the table would show alike, whichever was banned, and
// takes those scores with it; other names stay.
void BanMatchesNamesAsShown(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_TRUE(StoreAll(*store, {Entry("evil", 9, 1), Entry(" EVIL", 8, 2), Entry("Evil ", 7, 3),
                                Entry("Devil", 6, 4), Entry("evil twin", 5, 5)}));
  EXPECT_EQ(store->Ban("  eViL "), 3);
  std::vector<std::string> kept;
  for (const StoredScore& s : store->List(10)) kept.push_back(s.entry.name);
  EXPECT_EQ(kept, (std::vector<std::string>{"Devil", "evil twin"}));
  EXPECT_EQ(store->CountScores(), 2);
  const std::vector<std::string> spellings = {"evil", "EVIL", "Evil ", "\tEvIl\t"};
  for (size_t i = 0; i < spellings.size(); ++i) {
    EXPECT_EQ(store->Submit("b" + std::to_string(i), Rules(), Entry(spellings[i], 99, 6)),
              SubmitOutcome::kBanned)
        << spellings[i];
  }
  EXPECT_EQ(store->Submit("ok", Rules(), Entry("Devil", 99, 6)), SubmitOutcome::kStored);
}

void ReopeningKeepsScoresSecretAndSchema(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_EQ(store->Submit("t", Rules(), Entry("Kept", 42, 3)), SubmitOutcome::kStored);
  const std::string secret = store->Secret();
  EXPECT_GE(secret.size(), 32u);
  store.reset();
  store = open();
  ASSERT_EQ(store->Top(10).size(), 1u);
  EXPECT_EQ(store->Top(10)[0].name, "Kept");
  EXPECT_EQ(store->Secret(), secret);
  EXPECT_EQ(store->SchemaVersion(), kSchemaVersion);
  EXPECT_EQ(store->CountScores(), 1);
  EXPECT_NO_THROW(store->Ping());
}

// A check that runs on each kind of store.
struct NamedCheck {
  const char* name;
  void (*run)(const Opener&);
};
// A score whose submission opens its recording's upload until `until`.
int64_t StoreWithUpload(ScoreStore& store, const std::string& token, const ScoreEntry& entry,
                        int64_t until = 10'000) {
  SubmitRules rules = Rules();
  rules.uploadUntil = until;
  if (store.Submit(token, rules, entry) != SubmitOutcome::kStored) return 0;
  for (const StoredScore& s : store.List(1000)) {
    if (s.entry.name == entry.name && s.entry.time == entry.time) return s.id;
  }
  return 0;
}

RecordingVerdict Proof(const std::string& game) {
  return {true, "replayed", game};
}

// Every byte value, and longer than a page.
std::string Recording(char first) {
  std::string bytes(70'000, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 + (i >> 8));
  bytes[0] = first;
  return bytes;
}

void RecordingIsTiedToItsScoresToken(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const int64_t id = StoreWithUpload(*store, "tokA", Entry("Ann", 500, 100), 1000);
  ASSERT_GT(id, 0);
  const std::string bytes = Recording('a');
  EXPECT_EQ(store->StoreRecording(TokenDigest("never-used"), 200, bytes).outcome,
            UploadOutcome::kUnknownToken);
  // The token itself is not what the row keeps.
  EXPECT_EQ(store->StoreRecording("tokA", 200, bytes).outcome, UploadOutcome::kUnknownToken);
  EXPECT_EQ(store->StoreRecording(TokenDigest("tokA"), 1001, bytes).outcome,
            UploadOutcome::kExpired);
  const UploadResult stored = store->StoreRecording(TokenDigest("tokA"), 1000, bytes);
  EXPECT_EQ(stored.outcome, UploadOutcome::kStored);
  EXPECT_EQ(stored.id, id);
  EXPECT_EQ(store->StoreRecording(TokenDigest("tokA"), 1000, Recording('b')).outcome,
            UploadOutcome::kAlreadySent);
  EXPECT_EQ(store->WaitingRecordings(), std::vector<int64_t>{id});
  const auto waiting = store->RecordingToVerify(id);
  ASSERT_TRUE(waiting);
  EXPECT_TRUE(waiting->bytes == bytes);
  EXPECT_EQ(waiting->entry.name, "Ann");
  EXPECT_EQ(waiting->entry.score, 500);
  EXPECT_EQ(waiting->entry.text, "note Ann");
  // Not proven yet: nothing to download, nothing marked.
  EXPECT_FALSE(store->ProvenRecording(id));
  EXPECT_FALSE(store->List(10)[0].entry.proven);
}

void VerdictMarksTheScoreAndOneGameProvesOneScore(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const int64_t first = StoreWithUpload(*store, "t1", Entry("Ann", 500, 100));
  const int64_t second = StoreWithUpload(*store, "t2", Entry("Ann", 500, 101));
  const int64_t third = StoreWithUpload(*store, "t3", Entry("Bob", 400, 102));
  const int64_t plain = StoreWithUpload(*store, "t4", Entry("Cid", 900, 103));
  ASSERT_TRUE(first && second && third && plain);
  for (const char* token : {"t1", "t2", "t3"}) {
    ASSERT_EQ(store->StoreRecording(TokenDigest(token), 200, Recording(token[1])).outcome,
              UploadOutcome::kStored);
  }
  EXPECT_TRUE(store->SaveVerdict(first, Proof("game-1")));
  // The same game sent for a second score proves nothing there.
  EXPECT_FALSE(store->SaveVerdict(second, Proof("game-1")));
  EXPECT_FALSE(store->SaveVerdict(third, {false, "replay damaged", ""}));
  // A verdict is given once.
  EXPECT_FALSE(store->SaveVerdict(third, Proof("game-3")));
  EXPECT_FALSE(store->RecordingToVerify(first));
  EXPECT_TRUE(store->WaitingRecordings().empty());
  ASSERT_TRUE(store->ProvenRecording(first));
  EXPECT_TRUE(*store->ProvenRecording(first) == Recording('1'));
  EXPECT_FALSE(store->ProvenRecording(second));
  EXPECT_FALSE(store->ProvenRecording(third));
  std::vector<std::pair<std::string, bool>> all;
  for (const StoredScore& s : store->List(10)) all.emplace_back(s.entry.name, s.entry.proven);
  const std::vector<std::pair<std::string, bool>> expected = {
      {"Cid", false}, {"Ann", true}, {"Ann", false}, {"Bob", false}};
  EXPECT_EQ(all, expected);
  const std::vector<StoredScore> proven = store->Ranked(10, true);
  ASSERT_EQ(proven.size(), 1u);
  EXPECT_EQ(proven[0].id, first);
}

// Removed, banned and pushed-out scores take their recordings with them, proven or not.
void RecordingsGoWithTheirScores(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const int64_t removed = StoreWithUpload(*store, "r1", Entry("Ann", 500, 100));
  const int64_t banned = StoreWithUpload(*store, "r2", Entry("Eve", 600, 101));
  const int64_t low = StoreWithUpload(*store, "r3", Entry("Low", 1, 102));
  ASSERT_TRUE(removed && banned && low);
  for (const char* token : {"r1", "r2", "r3"}) {
    ASSERT_EQ(store->StoreRecording(TokenDigest(token), 200, Recording(token[1])).outcome,
              UploadOutcome::kStored);
  }
  ASSERT_TRUE(store->SaveVerdict(removed, Proof("game-a")));
  ASSERT_TRUE(store->Remove(removed));
  EXPECT_FALSE(store->ProvenRecording(removed));
  EXPECT_EQ(store->Ban("Eve"), 1);
  EXPECT_FALSE(store->RecordingToVerify(banned));
  // A full table pushes the lowest out for a better score.
  SubmitRules full = Rules(1000, 1);
  full.uploadUntil = 10'000;
  ASSERT_EQ(store->Submit("r4", full, Entry("Top", 900, 103)), SubmitOutcome::kStored);
  EXPECT_FALSE(store->RecordingToVerify(low));
  EXPECT_TRUE(store->WaitingRecordings().empty());
  // The proven game's key went with its score: it may prove the next one sent.
  ASSERT_EQ(store->StoreRecording(TokenDigest("r4"), 200, Recording('4')).outcome,
            UploadOutcome::kStored);
  EXPECT_TRUE(store->SaveVerdict(store->List(1)[0].id, Proof("game-a")));
}

// Recordings, verdicts and the marks survive closing the store.
void RecordingsAndProofsSurviveReopening(const Opener& open) {
  int64_t proven = 0, waiting = 0;
  {
    std::unique_ptr<ScoreStore> store = open();
    proven = StoreWithUpload(*store, "k1", Entry("Ann", 500, 100));
    waiting = StoreWithUpload(*store, "k2", Entry("Bob", 400, 101));
    ASSERT_EQ(store->StoreRecording(TokenDigest("k1"), 200, Recording('1')).outcome,
              UploadOutcome::kStored);
    ASSERT_EQ(store->StoreRecording(TokenDigest("k2"), 200, Recording('2')).outcome,
              UploadOutcome::kStored);
    ASSERT_TRUE(store->SaveVerdict(proven, Proof("game")));
  }
  std::unique_ptr<ScoreStore> store = open();
  ASSERT_TRUE(store->ProvenRecording(proven));
  EXPECT_TRUE(*store->ProvenRecording(proven) == Recording('1'));
  EXPECT_TRUE(store->List(1)[0].entry.proven);
  EXPECT_EQ(store->WaitingRecordings(), std::vector<int64_t>{waiting});
  EXPECT_EQ(store->StoreRecording(TokenDigest("k2"), 200, Recording('2')).outcome,
            UploadOutcome::kAlreadySent);
}

constexpr NamedCheck kChecks[] = {
    {"TokenIsUsedOnceAndStoresItsScore", TokenIsUsedOnceAndStoresItsScore},
    {"UsedTokensAreForgottenOnceExpired", UsedTokensAreForgottenOnceExpired},
    {"TopIsBestFirstEarlierFirstOnTiesAndLimited", TopIsBestFirstEarlierFirstOnTiesAndLimited},
    {"SubmissionsPerKeyPerMinuteAreLimited", SubmissionsPerKeyPerMinuteAreLimited},
    {"TextsComeBackByteForByte", TextsComeBackByteForByte},
    {"ConcurrentSubmissionsKeepEveryRule", ConcurrentSubmissionsKeepEveryRule},
    {"FullTableKeepsTheBest", FullTableKeepsTheBest},
    {"AdminRemovesAndBans", AdminRemovesAndBans},
    {"BanMatchesNamesAsShown", BanMatchesNamesAsShown},
    {"ReopeningKeepsScoresSecretAndSchema", ReopeningKeepsScoresSecretAndSchema},
    {"RecordingIsTiedToItsScoresToken", RecordingIsTiedToItsScoresToken},
    {"VerdictMarksTheScoreAndOneGameProvesOneScore", VerdictMarksTheScoreAndOneGameProvesOneScore},
    {"RecordingsGoWithTheirScores", RecordingsGoWithTheirScores},
    {"RecordingsAndProofsSurviveReopening", RecordingsAndProofsSurviveReopening},
};

enum class Backend { kSqlite, kPostgres };

struct BackendCheck {
  Backend backend;
  NamedCheck check;
};

std::vector<BackendCheck> ChecksOn(Backend backend) {
  std::vector<BackendCheck> checks;
  for (const NamedCheck& check : kChecks) checks.push_back({backend, check});
  return checks;
}

// Names the check where a test's parameter is shown, so test names stay the same.
void PrintTo(const BackendCheck& param, std::ostream* out) {
  *out << (param.backend == Backend::kSqlite ? "Sqlite " : "Postgres ") << param.check.name;
}

std::string CheckName(const ::testing::TestParamInfo<BackendCheck>& info) {
  return info.param.check.name;
}

// Each check on each back end is a test of its own (Sqlite/StoreCheck.Runs/FullTableKeepsTheBest),
// each on a store of its own. One PostgreSQL cluster serves every check (starting one costs
// seconds), a fresh database each.
class StoreCheck : public ::testing::TestWithParam<BackendCheck> {
 protected:
  static void TearDownTestSuite() {
    delete cluster_;
    cluster_ = nullptr;
  }
  static PgCluster* Cluster() {
    if (!cluster_) {
      const auto bin = PgCluster::FindBinaries();
      if (!bin.empty()) cluster_ = new PgCluster(bin);
    }
    return cluster_;
  }
  static PgCluster* cluster_;
  static int databases_;
};
PgCluster* StoreCheck::cluster_ = nullptr;
int StoreCheck::databases_ = 0;

TEST_P(StoreCheck, Runs) {
  const BackendCheck& param = GetParam();
  if (param.backend == Backend::kSqlite) {
    ScratchFolder folder;
    const std::string file = (folder.Path() / "scores.db").string();
    param.check.run([&file] { return OpenScoreStore(file); });
    return;
  }
  PgCluster* cluster = Cluster();
  if (!cluster) {
    GTEST_SKIP() << "PostgreSQL is not installed (scripts/deps.sh installs it): "
                    "skipping the PostgreSQL store";
  }
  ASSERT_TRUE(cluster->started()) << "PostgreSQL did not start in a temporary folder";
  const std::string database = "check" + std::to_string(databases_++);
  ASSERT_TRUE(cluster->CreateDatabase(database));
  const std::string uri = cluster->Uri(database);
  param.check.run([&uri] { return OpenScoreStore(uri); });
}

INSTANTIATE_TEST_SUITE_P(Sqlite, StoreCheck, ::testing::ValuesIn(ChecksOn(Backend::kSqlite)),
                         CheckName);
INSTANTIATE_TEST_SUITE_P(Postgres, StoreCheck, ::testing::ValuesIn(ChecksOn(Backend::kPostgres)),
                         CheckName);

TEST(SqliteStore, FileIsCreatedInWalMode) {
  ScratchFolder folder;
  const auto file = folder.Path() / "new.db";
  { auto store = OpenScoreStore(file.string()); }
  ASSERT_TRUE(std::filesystem::exists(file));
  std::ifstream in(file, std::ios::binary);
  char header[20] = {};
  in.read(header, sizeof header);
  // Bytes 18 and 19 of the header are the read and write versions: 2 means WAL.
  EXPECT_EQ(std::string(header, 15), "SQLite format 3");
  EXPECT_EQ(header[18], 2);
  EXPECT_EQ(header[19], 2);
}

TEST(SqliteStore, UnopenableFileIsAClearError) {
  ScratchFolder folder;
  // A folder where the file should be cannot be opened as a database, even by root.
  std::filesystem::create_directory(folder.Path() / "taken.db");
  try {
    OpenScoreStore((folder.Path() / "taken.db").string());
    FAIL() << "opened a folder as a database";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("taken.db"), std::string::npos) << e.what();
  }
}

TEST(PostgresStore, UnreachableServerIsAClearError) {
  ScratchFolder folder;
  try {
    OpenScoreStore("postgresql://nobody@/postgres?host=" + folder.Path().string() +
                   "&port=1&connect_timeout=2");
    FAIL() << "connected to nothing";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("PostgreSQL"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace brinecast::scores
