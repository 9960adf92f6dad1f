// Tests through the built brinecast-scores executable: its options, start-up and stop, the
// log, the health check and the admin commands.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

#include "RawConnection.h"
#include "ServerProcess.h"
#include "WaitFor.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"
#include "scores/http/ListenSocket.h"
#include "scores/store/SqliteStore.h"
#include "support/ScratchFolder.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;
using testing::RunScores;
using testing::ScratchFolder;
using testing::ServerProcess;

// A port free a moment ago.
int FreePort(const std::string& bind = "127.0.0.1") {
  std::string error;
  const int fd = OpenListener(bind, 0, error);
  if (fd < 0) return -1;
  const int port = BoundPort(fd);
  close(fd);
  return port;
}

// A server on a SQLite file in a folder of its own.
struct Served {
  ScratchFolder folder;
  int port = FreePort();
  std::string db = (folder.Path() / "scores.db").string();
  std::unique_ptr<ServerProcess> process;
  explicit Served(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--port=" + std::to_string(port), "--db", db};
    args.insert(args.end(), extra.begin(), extra.end());
    process = std::make_unique<ServerProcess>(args);
  }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port); }
};

HttpResult Submit(const std::string& host, const std::string& name, int64_t score) {
  CurlTransport http;
  const HttpResult check = http.Get({CheckUrl(host), ScoreRequestHeaders()});
  const std::string payload = protocol::BuildPayload(name, score, protocol::kSubmissionKey,
                                                     protocol::ReplyToken(check.body), "t");
  return http.Get({SubmitUrl(host, protocol::EncodeSubmission(payload)), ScoreRequestHeaders()});
}

struct OptionCase {
  std::vector<std::string> args;
  int status;
  const char* says;  // on standard output or error
};

TEST(ServerProcess, VersionHelpAndBadOptions) {
  const OptionCase cases[] = {
      {{"--version"}, 0, "brinecast-scores 1.0"},
      {{"--help"}, 0, "--trusted-proxy"},
      {{"--bogus"}, 2, "unknown option --bogus"},
      {{"--port"}, 2, "needs a value"},
      {{"--db", "postgresql://u:pw@localhost/x"}, 2, "password"},
      {{"--db-password-file", "/nonexistent/pw", "--port=1"}, 1, "password file"},
  };
  for (const OptionCase& c : cases) {
    const testing::Finished run = RunScores(c.args);
    EXPECT_EQ(run.status, c.status) << c.args[0] << run.err;
    EXPECT_NE((run.out + run.err).find(c.says), std::string::npos) << run.out << run.err;
  }
}

TEST(ServerProcess, SecondServerOnTheSamePortRefusesToStart) {
  Served first;
  ASSERT_TRUE(first.process->WaitListening()) << first.process->Err();
  ScratchFolder other;
  const testing::Finished second =
      RunScores({"--port", std::to_string(first.port), "--db", (other.Path() / "b.db").string()});
  EXPECT_EQ(second.status, 1);
  EXPECT_NE(second.err.find("in use"), std::string::npos) << second.err;
  EXPECT_FALSE(std::filesystem::exists(other.Path() / "b.db"));
  EXPECT_EQ(Submit(first.Host(), "Still", 1).body, protocol::kOk);
}

TEST(ServerProcess, StartUpLineWritesIpv6AddressesInBrackets) {
  const int port = FreePort("::1");
  if (port < 0) GTEST_SKIP() << "no IPv6 loopback here";
  ScratchFolder folder;
  ServerProcess server(
      {"--bind", "::1", "--port", std::to_string(port), "--db", (folder.Path() / "s.db").string()});
  ASSERT_TRUE(server.WaitListening()) << server.Err();
  EXPECT_NE(server.Out().find("http://[::1]:" + std::to_string(port) + "/"), std::string::npos)
      << server.Out();
}

// One line per request without the payload, and the cause of every failure.
TEST(ServerProcess, LogsRequestsAndErrorsWithTheirCause) {
  Served served;
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  EXPECT_EQ(Submit(served.Host(), "Logged", 5).body, protocol::kOk);
  // The table goes from under the server: the next submission fails, and says why.
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(served.db.c_str(), &db), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(db, "DROP TABLE scores", nullptr, nullptr, nullptr), SQLITE_OK);
  sqlite3_close(db);
  const HttpResult failed = Submit(served.Host(), "Lost", 6);
  EXPECT_EQ(failed.status, 500);
  served.process->Signal(SIGTERM);
  ASSERT_TRUE(served.process->Exited(10s));
  const std::string log = served.process->Err();
  EXPECT_NE(log.find(" 127.0.0.1 GET " + protocol::CheckTarget() + " 200 "), std::string::npos)
      << log;
  // The payload is left out of the log.
  EXPECT_NE(log.find(" 127.0.0.1 GET " + protocol::SubmitTarget("...") + " 200 "),
            std::string::npos)
      << log;
  EXPECT_NE(log.find("inf=... 500 "), std::string::npos) << log;
  EXPECT_NE(log.find("error: "), std::string::npos) << log;
  EXPECT_NE(log.find("no such table: scores"), std::string::npos) << log;
}

// Slow clients hold no thread, so a stop asked for ends the server at once.
TEST(ServerProcess, StopsPromptlyWithSlowClientsConnected) {
  Served served;
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  std::vector<std::unique_ptr<testing::RawConnection>> slow;
  for (int i = 0; i < 40; ++i) {
    slow.push_back(
        std::make_unique<testing::RawConnection>(served.port, "127.0.1." + std::to_string(i + 1)));
    slow.back()->Send("GET / HTTP/1.1\r\nX");
  }
  std::this_thread::sleep_for(200ms);
  const auto start = std::chrono::steady_clock::now();
  served.process->Signal(SIGTERM);
  ASSERT_TRUE(served.process->Exited(10s));
  EXPECT_EQ(served.process->status(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, 3s);
}

TEST(ServerProcess, HealthCheckAnswers) {
  Served served;
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  CurlTransport http;
  const HttpResult health = http.Get({"http://" + served.Host() + "/health", {}});
  EXPECT_TRUE(health.ok) << health.error;
  EXPECT_EQ(health.body, "OK\n");
}

// The admin commands work on the database while the server runs.
TEST(ServerProcess, AdminListsRemovesBansExportsAndBacksUp) {
  Served served({"--submissions-per-minute=100"});
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  ASSERT_EQ(Submit(served.Host(), "Ann", 300).body, protocol::kOk);
  ASSERT_EQ(Submit(served.Host(), "Eve", 200).body, protocol::kOk);
  ASSERT_EQ(Submit(served.Host(), "Bob", 100).body, protocol::kOk);
  const std::vector<std::string> db = {"admin", "--db", served.db};
  auto admin = [&](std::vector<std::string> command) {
    std::vector<std::string> args = db;
    args.insert(args.end(), command.begin(), command.end());
    return RunScores(args);
  };
  const testing::Finished list = admin({"list"});
  ASSERT_EQ(list.status, 0) << list.err;
  EXPECT_EQ(list.out.find("1\t300\tAnn\tt\t"), 0u) << list.out;
  const testing::Finished removed = admin({"remove", "3"});
  EXPECT_EQ(removed.status, 0) << removed.err;
  EXPECT_EQ(admin({"remove", "3"}).status, 1);
  EXPECT_EQ(admin({"ban", "Eve"}).status, 0);
  EXPECT_EQ(Submit(served.Host(), "Eve", 999).status, 403);
  const testing::Finished csv = admin({"export"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_TRUE(csv.out.starts_with("id,name,score,text,time,address\r\n1,Ann,300,t,")) << csv.out;
  EXPECT_EQ(csv.out.find("Eve"), std::string::npos);
  EXPECT_EQ(csv.out.find("Bob"), std::string::npos);
  const std::string copy = (served.folder.Path() / "copy.db").string();
  EXPECT_EQ(admin({"backup", copy}).status, 0);
  SqliteStore backup(copy);
  EXPECT_EQ(backup.CountScores(), 1);
  EXPECT_EQ(backup.Top(1)[0].name, "Ann");
  EXPECT_EQ(admin({"frobnicate"}).status, 2);
}

// Whatever refuses a request or a connection, the log says what and why: a limit's 429, a full
// table's 507, and connections past the per-client cap (not otherwise seen by any request).
TEST(ServerProcess, LogsEveryRefusalWithItsCause) {
  Served served({"--checks-per-minute=2", "--max-scores=1", "--connections-per-client=2"});
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  ASSERT_EQ(Submit(served.Host(), "Ann", 300).body, protocol::kOk);
  EXPECT_EQ(Submit(served.Host(), "Bob", 100).status, 507);
  CurlTransport http;
  EXPECT_EQ(http.Get({CheckUrl(served.Host()), ScoreRequestHeaders()}).status, 429);
  std::vector<std::unique_ptr<RawConnection>> held;
  for (int i = 0; i < 2; ++i) {
    held.push_back(std::make_unique<RawConnection>(served.port, "127.0.0.7"));
    held.back()->Send("GET / HTTP/1.1\r\nHost: t\r\n\r\n");
    ASSERT_EQ(RawConnection::Statuses(held.back()->Receive(2s, 1)), std::vector<int>{200});
  }
  RawConnection extra(served.port, "127.0.0.7");
  extra.Send("GET / HTTP/1.1\r\nHost: t\r\n\r\n");
  EXPECT_TRUE(extra.Receive(2s).empty());
  const std::vector<std::string> said = {" 507 ", "\"Score table is full", " 429 ",
                                         "\"Too many requests",
                                         "refused 1 connection from 127.0.0.7: it has 2 open"};
  EXPECT_TRUE(testing::WaitFor(
      [&] {
        const std::string log = served.process->Err();
        for (const std::string& text : said) {
          if (log.find(text) == std::string::npos) return false;
        }
        return true;
      },
      5s))
      << served.process->Err();
}

// Through the installed commands: a ban typed in any case holds for every spelling the table
// shows alike, and names that look like formulas leave the export as text.
TEST(ServerProcess, AdminBansAsShownAndExportsFormulasAsText) {
  Served served({"--submissions-per-minute=100"});
  ASSERT_TRUE(served.process->WaitListening()) << served.process->Err();
  for (const char* name : {"=1+1", "@SUM(1+1)", "Eve", "EVE "}) {
    ASSERT_EQ(Submit(served.Host(), name, 100).body, protocol::kOk) << name;
  }
  const testing::Finished banned = RunScores({"admin", "--db", served.db, "ban", " eve"});
  EXPECT_EQ(banned.status, 0) << banned.err;
  EXPECT_NE(banned.out.find("removed 2 scores"), std::string::npos) << banned.out;
  for (const char* name : {"eve", "EVE", " Eve "}) {
    EXPECT_EQ(Submit(served.Host(), name, 999).status, 403) << name;
  }
  const testing::Finished csv = RunScores({"admin", "--db", served.db, "export"});
  EXPECT_EQ(csv.status, 0) << csv.err;
  EXPECT_NE(csv.out.find(",'=1+1,"), std::string::npos) << csv.out;
  EXPECT_NE(csv.out.find(",'@SUM(1+1),"), std::string::npos) << csv.out;
  EXPECT_EQ(csv.out.find(",=1+1"), std::string::npos) << csv.out;
  EXPECT_EQ(csv.out.find("Eve"), std::string::npos) << csv.out;
}

}  // namespace
}  // namespace brinecast::scores
