// Tests of the score stores: the same checks on SQLite and PostgreSQL, and their errors.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "PgCluster.h"
#include "TempDir.h"
#include "scores/ScoreStore.h"

namespace brinecast::scores {
namespace {

using testing::PgCluster;
using testing::TempDir;

// Opens the one store a check works on; calling it again reopens the same place.
using Opener = std::function<std::unique_ptr<ScoreStore>()>;

ScoreEntry Entry(const std::string& name, int64_t score, int64_t time) {
  return {name, score, "note " + name, time, "10.0.0.1"};
}

void TokenIsUsedOnceAndStoresItsScore(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  store->AddToken("tok1", "10.0.0.1", 100);
  EXPECT_TRUE(store->StoreWithToken("tok1", 0, Entry("Ann", 500, 110)));
  EXPECT_FALSE(store->StoreWithToken("tok1", 0, Entry("Ann", 500, 111)));  // reused
  EXPECT_FALSE(store->StoreWithToken("never", 0, Entry("Bob", 9, 112)));   // unknown
  const std::vector<ScoreEntry> top = store->Top(10);
  ASSERT_EQ(top.size(), 1u);
  EXPECT_EQ(top[0].name, "Ann");
  EXPECT_EQ(top[0].score, 500);
  EXPECT_EQ(top[0].text, "note Ann");
  EXPECT_EQ(top[0].time, 110);
  EXPECT_EQ(top[0].address, "10.0.0.1");
  EXPECT_EQ(store->CountTokens(), 0);
}

void ExpiredTokenStoresNothing(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  store->AddToken("old", "a", 100);
  EXPECT_FALSE(store->StoreWithToken("old", 101, Entry("Late", 1, 800)));
  EXPECT_EQ(store->CountScores(), 0);
  EXPECT_EQ(store->CountTokens(), 1);  // still there until dropped
  store->DropTokensIssuedBefore(101);
  EXPECT_EQ(store->CountTokens(), 0);
}

void TopIsBestFirstEarlierFirstOnTiesAndLimited(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const struct {
    const char* name;
    int64_t score;
    int64_t time;
  } rows[] = {{"low", -5, 1},
              {"tieLate", 300, 9},
              {"best", INT64_MAX, 5},
              {"tieEarly", 300, 2},
              {"mid", 0, 3}};
  int n = 0;
  for (const auto& row : rows) {
    const std::string token = "t" + std::to_string(n++);
    store->AddToken(token, "a", 1);
    ASSERT_TRUE(store->StoreWithToken(token, 0, Entry(row.name, row.score, row.time)));
  }
  std::vector<std::string> order;
  for (const ScoreEntry& e : store->Top(4)) order.push_back(e.name);
  EXPECT_EQ(order, (std::vector<std::string>{"best", "tieEarly", "tieLate", "mid"}));
  EXPECT_EQ(store->Top(100).back().score, -5);
}

void CountsByAddressAndTime(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  store->AddToken("a1", "1.1.1.1", 100);
  store->AddToken("a2", "1.1.1.1", 160);
  store->AddToken("b1", "2.2.2.2", 160);
  EXPECT_EQ(store->CountTokensSince("1.1.1.1", 100), 2);
  EXPECT_EQ(store->CountTokensSince("1.1.1.1", 101), 1);
  EXPECT_EQ(store->CountTokensSince("3.3.3.3", 0), 0);
  EXPECT_EQ(store->CountTokens(), 3);
  ScoreEntry entry = Entry("x", 1, 150);
  entry.address = "1.1.1.1";
  ASSERT_TRUE(store->StoreWithToken("a1", 0, entry));
  EXPECT_EQ(store->CountScoresSince("1.1.1.1", 150), 1);
  EXPECT_EQ(store->CountScoresSince("1.1.1.1", 151), 0);
  EXPECT_EQ(store->CountScoresSince("2.2.2.2", 0), 0);
  EXPECT_EQ(store->CountScores(), 1);
}

void TextsComeBackByteForByte(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  const std::vector<std::string> texts = {
      "", "a'b\"c;--", "<script>", "\xE2\x82\xAC uro", "%s%n\\", "Robert'); DROP TABLE scores;--"};
  int n = 0;
  for (const std::string& text : texts) {
    const std::string token = "t" + std::to_string(n);
    store->AddToken(token, "a", 1);
    ASSERT_TRUE(store->StoreWithToken(token, 0, {text, n, text, 1, "a"}));
    ++n;
  }
  const std::vector<ScoreEntry> top = store->Top(100);
  ASSERT_EQ(top.size(), texts.size());
  for (const ScoreEntry& e : top) {
    EXPECT_EQ(e.name, texts[static_cast<size_t>(e.score)]);
    EXPECT_EQ(e.text, texts[static_cast<size_t>(e.score)]);
  }
}

void ConcurrentUsersOfOneTokenStoreOnce(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  store->AddToken("shared", "a", 1);
  std::vector<std::thread> threads;
  std::vector<int> won(8, 0);
  for (size_t i = 0; i < won.size(); ++i) {
    threads.emplace_back([&, i] { won[i] = store->StoreWithToken("shared", 0, Entry("r", 1, 2)); });
  }
  for (std::thread& t : threads) t.join();
  int winners = 0;
  for (int w : won) winners += w;
  EXPECT_EQ(winners, 1);
  EXPECT_EQ(store->CountScores(), 1);
}

void ReopeningKeepsWhatWasStored(const Opener& open) {
  std::unique_ptr<ScoreStore> store = open();
  store->AddToken("t", "a", 1);
  ASSERT_TRUE(store->StoreWithToken("t", 0, Entry("Kept", 42, 3)));
  store.reset();
  store = open();
  ASSERT_EQ(store->Top(10).size(), 1u);
  EXPECT_EQ(store->Top(10)[0].name, "Kept");
}

// Every check runs on each kind of store, each on a store of its own.
struct StoreCheck {
  const char* name;
  void (*run)(const Opener&);
};
constexpr StoreCheck kChecks[] = {
    {"TokenIsUsedOnceAndStoresItsScore", TokenIsUsedOnceAndStoresItsScore},
    {"ExpiredTokenStoresNothing", ExpiredTokenStoresNothing},
    {"TopIsBestFirstEarlierFirstOnTiesAndLimited", TopIsBestFirstEarlierFirstOnTiesAndLimited},
    {"CountsByAddressAndTime", CountsByAddressAndTime},
    {"TextsComeBackByteForByte", TextsComeBackByteForByte},
    {"ConcurrentUsersOfOneTokenStoreOnce", ConcurrentUsersOfOneTokenStoreOnce},
    {"ReopeningKeepsWhatWasStored", ReopeningKeepsWhatWasStored},
};

TEST(StoreChecks, Sqlite) {
  for (const StoreCheck& check : kChecks) {
    SCOPED_TRACE(check.name);
    TempDir folder;
    const std::string file = (folder.path() / "scores.db").string();
    check.run([&file] { return OpenScoreStore(file); });
  }
}

// One cluster for all checks (starting one costs seconds), a fresh database for each.
TEST(StoreChecks, Postgres) {
  const auto bin = PgCluster::FindBinaries();
  if (bin.empty()) {
    GTEST_SKIP() << "PostgreSQL is not installed (scripts/deps.sh installs it): "
                    "skipping the PostgreSQL store";
  }
  PgCluster cluster(bin);
  ASSERT_TRUE(cluster.started()) << "PostgreSQL did not start in a temporary folder";
  int n = 0;
  for (const StoreCheck& check : kChecks) {
    SCOPED_TRACE(check.name);
    const std::string database = "check" + std::to_string(n++);
    ASSERT_TRUE(cluster.CreateDatabase(database));
    const std::string uri = cluster.Uri(database);
    check.run([&uri] { return OpenScoreStore(uri); });
  }
}

TEST(SqliteStore, FileIsCreatedInWalMode) {
  TempDir folder;
  const auto file = folder.path() / "new.db";
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
  TempDir folder;
  // A folder where the file should be cannot be opened as a database, even by root.
  std::filesystem::create_directory(folder.path() / "taken.db");
  try {
    OpenScoreStore((folder.path() / "taken.db").string());
    FAIL() << "opened a folder as a database";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("taken.db"), std::string::npos) << e.what();
  }
}

TEST(PostgresStore, UnreachableServerIsAClearError) {
  TempDir folder;
  try {
    OpenScoreStore("postgresql://nobody@/postgres?host=" + folder.path().string() +
                   "&port=1&connect_timeout=2");
    FAIL() << "connected to nothing";
  } catch (const std::runtime_error& e) {
    EXPECT_NE(std::string(e.what()).find("PostgreSQL"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace brinecast::scores
