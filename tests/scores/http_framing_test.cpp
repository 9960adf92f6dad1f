// Requests whose body could end in two places, and transfer codings the server cannot read:
// refused before the body is read, the connection closed, so nothing sent after them is
// answered as a request of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "RawConnection.h"
#include "RunningServer.h"
#include "protocol/Requests.h"
#include "scores/http/RequestFraming.h"

namespace brinecast::scores {
namespace {

using namespace std::chrono_literals;
using testing::RawConnection;
using testing::RunningServer;

struct FramingCase {
  const char* name;
  HeaderList headers;
  std::string version;
  int status;  // 0: the framing is plain
};

TEST(RequestFraming, HeadersJudgedAsTheyFrameTheBody) {
  const std::vector<FramingCase> cases = {
      {"no body", {{"Host", "a"}}, "HTTP/1.1", 0},
      {"one length", {{"Content-Length", "12"}}, "HTTP/1.1", 0},
      {"same length twice", {{"Content-Length", "12"}, {"content-length", " 012 "}}, "HTTP/1.1", 0},
      {"chunked", {{"Transfer-Encoding", "chunked"}}, "HTTP/1.1", 0},
      {"chunked in capitals", {{"TRANSFER-ENCODING", " Chunked "}}, "HTTP/1.1", 0},
      {"two lengths", {{"Content-Length", "12"}, {"Content-Length", "13"}}, "HTTP/1.1", 400},
      {"length as a list", {{"Content-Length", "12, 12"}}, "HTTP/1.1", 400},
      {"length not a number", {{"Content-Length", "-1"}}, "HTTP/1.1", 400},
      {"empty length", {{"Content-Length", ""}}, "HTTP/1.1", 400},
      {"length and chunked",
       {{"Content-Length", "5"}, {"Transfer-Encoding", "chunked"}},
       "HTTP/1.1",
       400},
      {"chunked then length",
       {{"Transfer-Encoding", "chunked"}, {"Content-Length", "0"}},
       "HTTP/1.1",
       400},
      {"chunked twice",
       {{"Transfer-Encoding", "chunked"}, {"Transfer-Encoding", "chunked"}},
       "HTTP/1.1",
       400},
      {"no coding named", {{"Transfer-Encoding", " , "}}, "HTTP/1.1", 400},
      {"chunked from HTTP/1.0", {{"Transfer-Encoding", "chunked"}}, "HTTP/1.0", 400},
      {"unknown coding", {{"Transfer-Encoding", "gzip"}}, "HTTP/1.1", 501},
      {"coding under chunked", {{"Transfer-Encoding", "gzip, chunked"}}, "HTTP/1.1", 501},
      {"identity", {{"Transfer-Encoding", "identity"}}, "HTTP/1.1", 501},
  };
  for (const FramingCase& c : cases) {
    const std::optional<Reply> fault = FramingFault(c.headers, c.version);
    EXPECT_EQ(fault ? fault->status : 0, c.status) << c.name;
    if (fault) {
      EXPECT_FALSE(fault->body.empty()) << c.name;
    }
  }
}

struct WireCase {
  const char* name;
  std::string request;        // a smuggled request follows it on the same connection
  std::vector<int> statuses;  // every reply the connection gets
};

std::string Upload(const std::string& headers, const std::string& body) {
  return "POST " + std::string(protocol::kRecordingPath) + "?p=x HTTP/1.1\r\nHost: t\r\n" +
         headers + "\r\n" + body;
}

// Over a socket to the real listener: each refusal is the one reply on its connection and the
// connection ends, however the request hid a second one. Plainly framed requests, sent the
// same way, get both their replies (404: this server takes no recordings), so the hidden one
// would be answered if the refusal let it through.
TEST(RequestFraming, SmuggledRequestsAreNeverAnswered) {
  RunningServer server;
  ASSERT_GT(server.port(), 0);
  const std::string smuggled = "GET / HTTP/1.1\r\nHost: t\r\n\r\n";
  const std::string chunkedEnd = "0\r\n\r\n";
  const std::vector<WireCase> cases = {
      {"length and chunked on an upload",
       Upload("Content-Length: 5\r\nTransfer-Encoding: chunked\r\n", chunkedEnd),
       {400}},
      {"length and chunked on a page",
       "GET / HTTP/1.1\r\nHost: t\r\nTransfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\n" +
           chunkedEnd,
       {400}},
      {"two different lengths",
       Upload(
           "Content-Length: 4\r\nContent-Length: " + std::to_string(4 + smuggled.size()) + "\r\n",
           "abcd"),
       {400}},
      {"unknown coding", Upload("Transfer-Encoding: gzip\r\n", "abcd"), {501}},
      {"chunked from HTTP/1.0",
       "POST " + std::string(protocol::kRecordingPath) +
           "?p=x HTTP/1.0\r\nHost: t\r\nTransfer-Encoding: chunked\r\n\r\n" + chunkedEnd,
       {400}},
      {"plain length", Upload("Content-Length: 4\r\n", "abcd"), {404, 200}},
      {"the same length twice",
       Upload("Content-Length: 4\r\nContent-Length: 4\r\n", "abcd"),
       {404, 200}},
      {"chunked alone",
       Upload("Transfer-Encoding: chunked\r\n", "4\r\nabcd\r\n" + chunkedEnd),
       {404, 200}},
  };
  for (const WireCase& c : cases) {
    RawConnection connection(server.port());
    ASSERT_TRUE(connection.Send(c.request + smuggled)) << c.name;
    const std::string replies =
        connection.Receive(3s, c.statuses.size() > 1 ? static_cast<int>(c.statuses.size()) : 2);
    EXPECT_EQ(RawConnection::Statuses(replies), c.statuses) << c.name << "\n" << replies;
    // A refused request ends its connection; a plain one keeps it.
    EXPECT_EQ(connection.ClosedByServer(), c.statuses.size() == 1) << c.name;
  }
}

}  // namespace
}  // namespace brinecast::scores
