// Tests of the score server against hostile clients: slow ones, oversized headers, many
// ranges, bodies on GET, pipelining, a second server on the port, forwarded addresses.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "RawConnection.h"
#include "RunningServer.h"
#include "StderrCapture.h"
#include "WaitFor.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Requests.h"
#include "scores/http/ListenSocket.h"
#include "scores/service/HtmlPages.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;
using testing::RunningServer;

std::string Request(const std::string& target, const std::string& extra = "") {
  return "GET " + target + " HTTP/1.1\r\nHost: test\r\n" + extra + "\r\n";
}

int StatusOf(const std::string& reply) {
  return reply.size() >= 12 && reply.starts_with("HTTP/1.1 ") ? std::stoi(reply.substr(9, 3)) : 0;
}

// Short deadlines so the test sees them pass.
HttpOptions QuickDeadlines() {
  HttpOptions http = testing::QuietHttp();
  http.watch.headers = 1500ms;
  http.watch.request = 3000ms;
  return http;
}

// 40 connections from one address each send a header byte every 300 ms. The server must
// keep answering others, and must close each slow one once its header deadline passes.
TEST(HttpHardening, SlowClientsBlockNobodyAndAreCutOffAtTheirDeadline) {
  RunningServer server({}, QuickDeadlines());
  ASSERT_GT(server.port(), 0);
  std::vector<std::unique_ptr<RawConnection>> slow;
  for (int i = 0; i < 40; ++i) {
    slow.push_back(std::make_unique<RawConnection>(server.port(), "127.0.0.2"));
    slow.back()->Send("GET / HTTP/1.1\r\n");
  }
  const auto start = std::chrono::steady_clock::now();
  std::atomic<bool> trickling{true};
  std::atomic<int> rounds{0};
  std::thread trickle([&] {
    while (trickling.load()) {
      for (auto& c : slow) c->Send("X");
      ++rounds;
      std::this_thread::sleep_for(300ms);  // the slow clients' pace
    }
  });
  // Others are asked for while every slow one is part way through its headers.
  ASSERT_TRUE(testing::WaitFor([&] { return rounds.load() >= 2; }, 3s));
  CurlTransport http;
  const HttpResult check = http.Get({CheckUrl(server.Host()), ScoreRequestHeaders()});
  EXPECT_TRUE(check.ok) << check.error;
  // Every slow one is closed by the header deadline (1.5 s) and the reaper's beat; 6 s bounds
  // the wait.
  const bool allClosed = testing::WaitFor(
      [&] {
        for (auto& c : slow) {
          if (!c->ClosedByServer()) return false;
        }
        return true;
      },
      6s);
  const auto took = std::chrono::steady_clock::now() - start;
  trickling.store(false);
  trickle.join();
  EXPECT_TRUE(allClosed) << "slow connections were still open after 6 s";
  EXPECT_LT(took, 3s);
}

// A client that asks and never reads its replies is cut off at the request deadline, even
// though the server could still send: 3,000 pages asked at once do not all arrive. A full
// table makes each page far bigger than what the sockets' buffers could hold of 3,000.
TEST(HttpHardening, ClientThatDoesNotReadIsCutOffAtTheRequestDeadline) {
  RunningServer server({}, QuickDeadlines());
  ASSERT_GT(server.port(), 0);
  const SubmitRules rules{"k", kWorldTableRows, 1000, 1'000'000, 0};
  for (int i = 0; i < kWorldTableRows; ++i) {
    const ScoreEntry entry{"Name" + std::to_string(i), i, std::string(60, 'n'), 1000, "a"};
    ASSERT_EQ(server.store().Submit("t" + std::to_string(i), rules, entry), SubmitOutcome::kStored);
  }
  RawConnection c(server.port());
  std::string burst;
  for (int i = 0; i < 3000; ++i) burst += Request(protocol::WorldTarget());
  c.Send(burst);
  // Only a deadline passing is waited for here: the server's end of the connection shows only
  // behind the replies it could not send, so nothing short of reading them can see it.
  std::this_thread::sleep_for(4s);  // past the 3 s deadline; nothing read meanwhile
  const std::string replies = c.Receive(5s, 3000);
  EXPECT_LT(RawConnection::Replies(replies), 3000);
  EXPECT_TRUE(c.ClosedByServer());
}

// A deadline's cut is logged as a time-out with the deadline that passed, whether the request
// line had come or not; never as a refusal or failure.
TEST(HttpHardening, CutOffConnectionsAreLoggedAsTimedOut) {
  testing::StderrCapture log;
  HttpOptions http = QuickDeadlines();
  http.logRequests = true;
  RunningServer server({}, http);
  ASSERT_GT(server.port(), 0);
  RawConnection headers(server.port(), "127.0.0.8");
  headers.Send("GET /slow-headers HTTP/1.1\r\nHost: t\r\n");
  RawConnection line(server.port(), "127.0.0.9");
  line.Send("GE");
  ASSERT_TRUE(
      testing::WaitFor([&] { return headers.ClosedByServer() && line.ClosedByServer(); }, 6s));
  auto lineOf = [](const std::string& text, const std::string& with) {
    const size_t at = text.find(with);
    if (at == std::string::npos) return std::string();
    const size_t start = text.rfind('\n', at) + 1;
    return text.substr(start, text.find('\n', at) - start);
  };
  std::string cutHeaders, cutLine;
  ASSERT_TRUE(testing::WaitFor(
      [&] {
        cutHeaders = lineOf(log.Text(), " 127.0.0.8 ");
        cutLine = lineOf(log.Text(), " 127.0.0.9 ");
        return !cutHeaders.empty() && !cutLine.empty();
      },
      3s))
      << log.Text();
  EXPECT_NE(cutHeaders.find(" /slow-headers - timed-out "), std::string::npos) << cutHeaders;
  EXPECT_NE(cutHeaders.find("\"headers not done within 1500 ms\""), std::string::npos)
      << cutHeaders;
  EXPECT_NE(cutLine.find(" - - - timed-out "), std::string::npos) << cutLine;
  for (const std::string& text : {cutHeaders, cutLine}) {
    EXPECT_EQ(text.find("refused"), std::string::npos) << text;
    EXPECT_EQ(text.find("failed"), std::string::npos) << text;
  }
}

// The old server read headers without end; 2.4 MB of them must be refused early.
TEST(HttpHardening, OversizedHeadersAreRefused) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  RawConnection c(server.port());
  c.Send("GET / HTTP/1.1\r\nHost: test\r\n");
  const std::string pad = "X-Pad: " + std::string(8000, 'a') + "\r\n";
  int sent = 0;
  while (sent < 300 && c.Send(pad)) ++sent;
  c.Send("\r\n");
  const std::string reply = c.Receive(3s);
  const int status = StatusOf(reply);
  EXPECT_TRUE(status == 431 || status == 400) << sent << " headers sent: " << reply.substr(0, 100);
  // Others are still served.
  RawConnection other(server.port());
  EXPECT_EQ(StatusOf(other.Send(Request("/")) ? other.Receive(3s, 1) : ""), 200);
}

// 2,600 ranges of the whole page would multiply it; the page comes once, whole.
TEST(HttpHardening, RangesAreIgnoredOnPages) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  const std::string page = protocol::WorldTarget();
  RawConnection plain(server.port());
  plain.Send(Request(page, "Connection: close\r\n"));
  const std::string whole = plain.Receive(3s);
  std::string ranges = "Range: bytes=0-";
  for (int i = 1; i < 2600; ++i) ranges += ",0-";
  RawConnection ranged(server.port());
  ranged.Send(Request(page, ranges + "\r\nConnection: close\r\n"));
  const std::string reply = ranged.Receive(3s);
  EXPECT_EQ(StatusOf(reply), 200);
  EXPECT_LT(reply.size(), whole.size() + 200);
  EXPECT_GT(whole.size(), 1000u);
}

// A body declared on a GET, arriving later, must not be taken for a second request.
TEST(HttpHardening, BodyOnGetIsRefusedNotReadAsARequest) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  RawConnection c(server.port());
  const std::string hidden = Request("/nothing");
  c.Send(Request("/", "Content-Length: " + std::to_string(hidden.size()) + "\r\n"));
  // The body comes once the headers have been answered.
  std::string replies = c.Receive(2s, 1);
  c.Send(hidden);
  replies += c.Receive(2s);
  EXPECT_EQ(RawConnection::Replies(replies), 1) << replies.substr(0, 300);
  EXPECT_EQ(StatusOf(replies), 400);
  EXPECT_EQ(replies.find("404"), std::string::npos);
}

// Ten requests in one packet get ten replies, in order.
TEST(HttpHardening, PipelinedRequestsAreAnsweredInOrder) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  std::string burst;
  std::vector<int> expected;
  for (int i = 0; i < 10; ++i) {
    const bool found = i % 2 == 0;
    burst += Request(found ? "/" : "/missing" + std::to_string(i));
    expected.push_back(found ? 200 : 404);
  }
  RawConnection c(server.port());
  c.Send(burst);
  const std::string replies = c.Receive(5s, 10);
  std::vector<int> statuses;
  for (size_t at = replies.find("HTTP/1.1 "); at != std::string::npos;
       at = replies.find("HTTP/1.1 ", at + 1)) {
    statuses.push_back(StatusOf(replies.substr(at)));
  }
  EXPECT_EQ(statuses, expected);
}

TEST(HttpHardening, NotFoundHasABody) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  RawConnection c(server.port());
  c.Send(Request("/nothing", "Connection: close\r\n"));
  const std::string reply = c.Receive(3s);
  EXPECT_EQ(StatusOf(reply), 404);
  const size_t body = reply.find("\r\n\r\n");
  ASSERT_NE(body, std::string::npos);
  EXPECT_FALSE(reply.substr(body + 4).empty());
}

// A second listener on a taken port fails, saying so, rather than sharing the port.
TEST(HttpHardening, TakenPortIsRefused) {
  std::string error;
  const int first = OpenListener("127.0.0.1", 0, error);
  ASSERT_GE(first, 0) << error;
  const int port = BoundPort(first);
  EXPECT_LT(OpenListener("127.0.0.1", port, error), 0);
  EXPECT_NE(error.find("in use"), std::string::npos) << error;
  close(first);
}

TEST(HttpHardening, ConnectionsPerAddressAreLimited) {
  HttpOptions http = testing::QuietHttp();
  http.watch.perKey = 4;
  RunningServer server({}, http);
  ASSERT_GT(server.port(), 0);
  std::vector<std::unique_ptr<RawConnection>> held;
  // Each held connection is known to the server once it has had its answer, and stays open.
  for (int i = 0; i < 4; ++i) {
    held.push_back(std::make_unique<RawConnection>(server.port(), "127.0.0.3"));
    held.back()->Send(Request("/"));
    ASSERT_EQ(StatusOf(held.back()->Receive(2s, 1)), 200);
  }
  RawConnection extra(server.port(), "127.0.0.3");
  extra.Send(Request("/"));
  EXPECT_EQ(StatusOf(extra.Receive(2s, 1)), 0);
  RawConnection other(server.port(), "127.0.0.4");
  other.Send(Request("/"));
  EXPECT_EQ(StatusOf(other.Receive(2s, 1)), 200);
}

// Only a trusted proxy's X-Forwarded-For names the client the limits count.
TEST(HttpHardening, TrustedProxyForwardsTheClientAddress) {
  ServiceLimits limits;
  limits.checksPerMinute = 2;
  HttpOptions http = testing::QuietHttp();
  http.trustedProxies = {"127.0.0.5"};
  RunningServer server(limits, http);
  ASSERT_GT(server.port(), 0);
  const std::string check = protocol::CheckTarget();
  auto status = [&](const std::string& from, const std::string& forwarded) {
    RawConnection c(server.port(), from);
    c.Send(Request(check, "X-Forwarded-For: " + forwarded + "\r\n"));
    return StatusOf(c.Receive(2s, 1));
  };
  EXPECT_EQ(status("127.0.0.5", "203.0.113.1, 198.51.100.7"), 200);
  EXPECT_EQ(status("127.0.0.5", "198.51.100.7"), 200);
  EXPECT_EQ(status("127.0.0.5", "198.51.100.7"), 429);
  EXPECT_EQ(status("127.0.0.5", "198.51.100.8"), 200);
  // From anyone else the header is ignored: these count against 127.0.0.6.
  EXPECT_EQ(status("127.0.0.6", "198.51.100.9"), 200);
  EXPECT_EQ(status("127.0.0.6", "198.51.100.10"), 200);
  EXPECT_EQ(status("127.0.0.6", "198.51.100.11"), 429);
}

}  // namespace
}  // namespace brinecast::scores
