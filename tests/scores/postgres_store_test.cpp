// Tests of the PostgreSQL store on a private cluster: a stalled database costs time-outs, not
// a hung server, and an old schema is upgraded in place.
#include <gtest/gtest.h>
#include <libpq-fe.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "PgCluster.h"
#include "RawConnection.h"
#include "RunningServer.h"
#include "WaitFor.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "scores/admin/AdminCommands.h"
#include "scores/store/PostgresStore.h"
#include "scores/store/TokenSigner.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::PgCluster;
using testing::ScratchFolder;

int64_t Now() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

bool Exec(const std::string& uri, const char* sql) {
  PGconn* conn = PQconnectdb(uri.c_str());
  PGresult* result = PQexec(conn, sql);
  const bool ok = PQresultStatus(result) == PGRES_COMMAND_OK;
  PQclear(result);
  PQfinish(conn);
  return ok;
}

// Stops the cluster's processes for as long as it lives: a database that accepts bytes and
// never answers.
class Stalled {
 public:
  explicit Stalled(const PgCluster& cluster) : pids_(cluster.Processes()) {
    for (pid_t pid : pids_) kill(pid, SIGSTOP);
  }
  ~Stalled() {
    for (pid_t pid : pids_) kill(pid, SIGCONT);
  }
  size_t count() const { return pids_.size(); }

 private:
  std::vector<pid_t> pids_;
};

class PostgresTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    const auto bin = PgCluster::FindBinaries();
    if (!bin.empty()) cluster_ = new PgCluster(bin);
  }
  static void TearDownTestSuite() {
    delete cluster_;
    cluster_ = nullptr;
  }
  void SetUp() override {
    if (!cluster_) GTEST_SKIP() << "PostgreSQL is not installed (scripts/deps.sh installs it)";
    ASSERT_TRUE(cluster_->started()) << "PostgreSQL did not start in a temporary folder";
  }
  static std::string Database(const std::string& name) {
    EXPECT_TRUE(cluster_->CreateDatabase(name));
    return cluster_->Uri(name);
  }
  static PgCluster* cluster_;
};
PgCluster* PostgresTest::cluster_ = nullptr;

// With the database stopped, submissions end in errors within their time-out, while the
// check and the home page, which need no database, answer at once.
TEST_F(PostgresTest, StalledDatabaseHoldsUpNothingElse) {
  StoreSettings settings;
  settings.where = Database("stall");
  settings.timeoutSeconds = 1;
  settings.connections = 2;
  PostgresStore store(settings);
  ScoreService service(store, {}, Now);
  ScoreRouter router(service);
  HttpServer server(router, testing::QuietHttp());
  std::string error;
  const int listener = OpenListener("127.0.0.1", 0, error);
  ASSERT_TRUE(listener >= 0 && server.Start(listener, error)) << error;
  const std::string host = "127.0.0.1:" + std::to_string(BoundPort(listener));
  CurlTransport http;
  auto submit = [&](CurlTransport& client, const std::string& name,
                    std::atomic<int>* checked = nullptr) {
    const HttpResult check = client.Get({CheckUrl(host), ScoreRequestHeaders()});
    if (checked) ++*checked;
    return client.Get({SubmitUrl(host, protocol::EncodeSubmission(protocol::BuildPayload(
                                           name, 1, protocol::kSubmissionKey,
                                           protocol::ReplyToken(check.body), ""))),
                       ScoreRequestHeaders()});
  };
  ASSERT_EQ(submit(http, "before").body, protocol::kOk);
  {
    Stalled stalled(*cluster_);
    ASSERT_GE(stalled.count(), 2u);
    std::atomic<int> ended{0};
    std::atomic<int> submitting{0};
    std::vector<std::thread> waiting;
    for (int i = 0; i < 6; ++i) {
      waiting.emplace_back([&, i] {
        CurlTransport own;
        const HttpResult r = submit(own, "stalled" + std::to_string(i), &submitting);
        if (r.status == 500 || r.status == 503) ++ended;
      });
    }
    // Every submission has its token and is on its way to the stalled database.
    ASSERT_TRUE(testing::WaitFor([&] { return submitting.load() == 6; }, 5s));
    const auto start = std::chrono::steady_clock::now();
    testing::RawConnection home(BoundPort(listener));
    home.Send("GET / HTTP/1.1\r\nHost: t\r\n\r\n");
    EXPECT_TRUE(home.Receive(2s, 1).starts_with("HTTP/1.1 200"));
    const HttpResult check = http.Get({CheckUrl(host), ScoreRequestHeaders()});
    EXPECT_TRUE(protocol::ReplyIsOk(check.body)) << check.body;
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s);
    for (std::thread& t : waiting) t.join();
    EXPECT_EQ(ended.load(), 6);
    const HttpResult health = http.Get({"http://" + host + "/health", {}});
    EXPECT_EQ(health.status, 503);
  }
  // Back again: fresh connections replace the ones given up on.
  const HttpResult health = http.Get({"http://" + host + "/health", {}});
  EXPECT_EQ(health.body, "OK\n");
  EXPECT_EQ(submit(http, "after").body, protocol::kOk);
  EXPECT_EQ(store.CountScores(), 2);
}

// A database made by the first version of the server keeps its scores and gains the rest.
TEST_F(PostgresTest, VersionOneSchemaIsUpgraded) {
  const std::string uri = Database("old");
  ASSERT_TRUE(Exec(uri,
                   "CREATE TABLE tokens(token TEXT PRIMARY KEY, address TEXT NOT NULL, issued "
                   "BIGINT NOT NULL);"
                   "CREATE TABLE scores(id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, score "
                   "BIGINT NOT NULL, text TEXT NOT NULL, time BIGINT NOT NULL, address TEXT NOT "
                   "NULL);"
                   "CREATE INDEX scores_by_address ON scores(address, time);"
                   "INSERT INTO scores(name, score, text, time, address) VALUES "
                   "('Old', 70, 'x', 5, '10.0.0.1'), ('Older', 50, 'y', 4, '10.0.0.2')"));
  std::unique_ptr<ScoreStore> store = OpenScoreStore(uri);
  EXPECT_EQ(store->SchemaVersion(), kSchemaVersion);
  EXPECT_EQ(store->CountScores(), 2);
  ASSERT_EQ(store->Top(5).size(), 2u);
  EXPECT_EQ(store->Top(5)[0].name, "Old");
  EXPECT_EQ(store->Submit("t", {"10.0.0.1", 10, 100, 1000}, {"New", 60, "", 900, "10.0.0.1"}),
            SubmitOutcome::kStored);
  EXPECT_EQ(store->Top(5)[1].name, "New");
}

// A second-version database gains recordings in place, its scores kept.
TEST_F(PostgresTest, VersionTwoSchemaIsUpgraded) {
  const std::string uri = Database("two");
  ASSERT_TRUE(Exec(uri,
                   "CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
                   "CREATE TABLE scores(id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, "
                   "score BIGINT NOT NULL, text TEXT NOT NULL, time BIGINT NOT NULL, "
                   "address TEXT NOT NULL, client TEXT NOT NULL DEFAULT '');"
                   "CREATE TABLE used_tokens(token TEXT PRIMARY KEY, expires BIGINT NOT NULL);"
                   "CREATE TABLE banned(name TEXT PRIMARY KEY);"
                   "INSERT INTO meta VALUES('schema', '2'), ('score_count', '1');"
                   "INSERT INTO scores(name, score, text, time, address, client) VALUES "
                   "('Two', 70, 'x', 5, '10.0.0.1', '10.0.0.1')"));
  std::unique_ptr<ScoreStore> store = OpenScoreStore(uri);
  EXPECT_EQ(store->SchemaVersion(), kSchemaVersion);
  ASSERT_EQ(store->List(5).size(), 1u);
  EXPECT_EQ(store->List(5)[0].entry.name, "Two");
  ASSERT_EQ(store->Submit("t", {"10.0.0.3", 10, 100, 1000, 2000}, {"New", 60, "", 30, "x"}),
            SubmitOutcome::kStored);
  const UploadResult upload = store->StoreRecording(TokenDigest("t"), 40, std::string("r\0c", 3));
  ASSERT_EQ(upload.outcome, UploadOutcome::kStored);
  EXPECT_TRUE(store->SaveVerdict(upload.id, {true, "replayed", "g"}));
  ASSERT_TRUE(store->ProvenRecording(upload.id));
  EXPECT_EQ(*store->ProvenRecording(upload.id), std::string("r\0c", 3));
}

// The server copies only what it can copy consistently; PostgreSQL has its own tools.
TEST_F(PostgresTest, BackupIsLeftToTheDatabasesOwnTools) {
  const std::unique_ptr<ScoreStore> store = OpenScoreStore(Database("backup"));
  EXPECT_EQ(store->Backups(), nullptr);
  ScratchFolder folder;
  const std::string copy = (folder.Path() / "copy").string();
  std::FILE* err = std::tmpfile();
  ASSERT_NE(err, nullptr);
  EXPECT_EQ(RunAdminCommand(*store, {"backup", copy}, stdout, err), 1);
  std::rewind(err);
  char said[256] = {};
  EXPECT_NE(std::fgets(said, sizeof said, err), nullptr);
  std::fclose(err);
  EXPECT_NE(std::string(said).find("pg_dump"), std::string::npos) << said;
  EXPECT_FALSE(std::filesystem::exists(copy));
}

}  // namespace
}  // namespace brinecast::scores
