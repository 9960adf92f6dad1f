// Tests of the HTTP client against loopback servers: headers, cookies, replies, failures,
// time-outs, size limits and posted bodies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "LoopbackServer.h"
#include "RawSocket.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"

namespace brinecast {
namespace {

using testing::ListeningSocket;
using testing::LoopbackServer;

HttpRequest Request(const std::string& url) {
  return {url, ScoreRequestHeaders()};
}

TEST(CurlTransport, SendsTheGamesHeaders) {
  LoopbackServer loop;
  httplib::Headers seen;
  std::string target;
  const std::string script(protocol::kScriptPath);
  loop.server().Get(script, [&](const httplib::Request& req, httplib::Response& res) {
    seen = req.headers;
    target = req.target;
    res.set_content("OK", "text/plain");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  const HttpResult result = http.Get(Request(CheckUrl("127.0.0.1:" + std::to_string(loop.port()))));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.status, 200);
  EXPECT_EQ(result.body, "OK");
  EXPECT_EQ(target, protocol::CheckTarget());
  auto header = [&](const char* name) {
    auto it = seen.find(name);
    return it == seen.end() ? std::string("<missing>") : it->second;
  };
  EXPECT_EQ(header("User-Agent"), "Mozilla/3.0 (compatible; Brinecast)");
  EXPECT_EQ(header("Accept"), "text/html, */*");
  EXPECT_EQ(header("Content-Type"), "text/html");
}

TEST(CurlTransport, CookieFromTheFirstReplyComesBackOnTheSecond) {
  LoopbackServer loop;
  std::vector<std::string> cookies;
  loop.server().Get("/a", [&](const httplib::Request& req, httplib::Response& res) {
    cookies.push_back(req.get_header_value("Cookie"));
    res.set_header("Set-Cookie", "session=abc123; Path=/");
    res.set_content("first", "text/plain");
  });
  loop.server().Get("/b", [&](const httplib::Request& req, httplib::Response& res) {
    cookies.push_back(req.get_header_value("Cookie"));
    res.set_content("second", "text/plain");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  ASSERT_TRUE(http.Get(Request(loop.Url("/a"))).ok);
  ASSERT_TRUE(http.Get(Request(loop.Url("/b"))).ok);
  ASSERT_EQ(cookies.size(), 2u);
  EXPECT_EQ(cookies[0], "");
  EXPECT_EQ(cookies[1], "session=abc123");

  // A new transport is a new run: it starts without cookies.
  CurlTransport fresh;
  ASSERT_TRUE(fresh.Get(Request(loop.Url("/b"))).ok);
  EXPECT_EQ(cookies.back(), "");
}

struct ReplyCase {
  const char* body;
  bool ok;
  const char* p;
};

TEST(CurlTransport, RepliesReadAsTheGameReadsThem) {
  const ReplyCase cases[] = {
      {"OK", true, ""},
      {"ok", false, ""},
      {"OK|1", true, ""},
      {"OK|1|", true, ""},
      {"OK|1||", true, ""},
      {"OK|1|||tok", true, ""},
      {"OK|1|||tok|", true, "tok"},
      {"OK|1|||tok|x|", true, "tok"},
      {"ok|1|||tok|", false, "tok"},
  };
  LoopbackServer loop;
  std::string body;
  loop.server().Get("/r", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(body, "text/html");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  for (const ReplyCase& c : cases) {
    body = c.body;
    const HttpResult result = http.Get(Request(loop.Url("/r")));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(result.body, c.body);
    EXPECT_EQ(protocol::ReplyIsOk(result.body), c.ok) << c.body;
    EXPECT_EQ(protocol::ReplyToken(result.body), c.p) << c.body;
  }
}

TEST(CurlTransport, ErrorStatusIsAFailure) {
  LoopbackServer loop;
  loop.server().Get("/gone", [](const httplib::Request&, httplib::Response& res) {
    res.status = 404;
    res.set_content("OK but not found", "text/plain");
  });
  loop.server().Get("/broken",
                    [](const httplib::Request&, httplib::Response& res) { res.status = 500; });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  for (const char* path : {"/gone", "/broken"}) {
    const HttpResult result = http.Get(Request(loop.Url(path)));
    EXPECT_FALSE(result.ok) << path;
    EXPECT_GE(result.status, 400) << path;
    EXPECT_FALSE(result.error.empty()) << path;
  }
}

TEST(CurlTransport, RefusedConnectionIsAFailure) {
  ListeningSocket socket;
  const int port = socket.port();
  ASSERT_GT(port, 0);
  socket.Close();  // nobody listens there any more
  CurlTransport http;
  const HttpResult result =
      http.Get(Request("http://127.0.0.1:" + std::to_string(port) + "/cgi/version.pl"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 0);
  EXPECT_FALSE(result.error.empty());
}

TEST(CurlTransport, ServerThatNeverAnswersTimesOut) {
  ListeningSocket silent;  // the kernel accepts into the backlog; nobody ever replies
  ASSERT_GT(silent.port(), 0);
  HttpLimits limits;
  limits.totalTimeoutMs = 300;
  CurlTransport http(limits);
  const HttpResult result =
      http.Get(Request("http://127.0.0.1:" + std::to_string(silent.port()) + "/x"));
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.error.find("imed out"), std::string::npos) << result.error;
}

std::string Bytes(size_t count) {
  std::string bytes(count, '\0');
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>('a' + (i * 7919) % 26);
  return bytes;
}

TEST(CurlTransport, ReadsAReplyOfSeveralMegabytesWhole) {
  const std::string big = Bytes(6u << 20);
  LoopbackServer loop;
  loop.server().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(big, "text/html");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  const HttpResult result = http.Get(Request(loop.Url("/big")));
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body.size(), big.size());
  EXPECT_TRUE(result.body == big);
}

TEST(CurlTransport, ReplyBeyondTheCapIsAFailureAndTheNextRequestStillWorks) {
  const std::string big = Bytes(3u << 20);
  LoopbackServer loop;
  loop.server().Get("/big", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content(big, "text/html");
  });
  loop.server().Get("/small", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("OK", "text/html");
  });
  ASSERT_GT(loop.Start(), 0);
  HttpLimits limits;
  limits.maxBodyBytes = 1u << 20;
  CurlTransport http(limits);
  const HttpResult result = http.Get(Request(loop.Url("/big")));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.body.empty());
  EXPECT_NE(result.error.find("larger"), std::string::npos) << result.error;
  const HttpResult after = http.Get(Request(loop.Url("/small")));
  EXPECT_TRUE(after.ok) << after.error;
  EXPECT_EQ(after.body, "OK");
}

// Every byte value, a NUL among them, and sizes around the point where a client would
// start asking for "100 Continue" or chunking.
std::vector<uint8_t> Binary(size_t count) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>((i * 131 + i / 256) & 0xFF);
  return bytes;
}

TEST(CurlTransport, PostSendsTheBodyAsIsWithItsLengthAndType) {
  struct Seen {
    std::string method, type, length, expect, chunked, agent, body;
  };
  LoopbackServer loop;
  Seen seen;
  const std::string path(protocol::kRecordingPath);
  loop.server().Post(path, [&](const httplib::Request& req, httplib::Response& res) {
    seen = {req.method,
            req.get_header_value("Content-Type"),
            req.get_header_value("Content-Length"),
            req.get_header_value("Expect"),
            req.get_header_value("Transfer-Encoding"),
            req.get_header_value("User-Agent"),
            req.body};
    res.set_content("stored", "text/plain");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  for (const size_t size : {size_t{0}, size_t{1}, size_t{1025}, size_t{70000}, size_t{1} << 20}) {
    seen = {};
    const HttpBody body{"application/x-test", Binary(size)};
    // The score requests' own Content-Type must not reach the server beside the body's.
    const HttpResult result = http.Post(Request(loop.Url(path)), body);
    ASSERT_TRUE(result.ok) << size << ": " << result.error;
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.body, "stored");
    EXPECT_EQ(seen.method, "POST");
    EXPECT_EQ(seen.type, "application/x-test");
    EXPECT_EQ(seen.length, std::to_string(size));
    EXPECT_EQ(seen.expect, "");
    EXPECT_EQ(seen.chunked, "");
    EXPECT_EQ(seen.agent, "Mozilla/3.0 (compatible; Brinecast)");
    EXPECT_TRUE(std::equal(seen.body.begin(), seen.body.end(), body.bytes.begin(), body.bytes.end(),
                           [](char a, uint8_t b) { return static_cast<uint8_t>(a) == b; }))
        << size;
  }
}

TEST(CurlTransport, GetAfterPostIsAGetAgain) {
  LoopbackServer loop;
  std::vector<std::string> methods;
  std::string bodyOfGet = "<none>";
  loop.server().Post("/p", [&](const httplib::Request& req, httplib::Response& res) {
    methods.push_back(req.method);
    res.set_content("posted", "text/plain");
  });
  loop.server().Get("/g", [&](const httplib::Request& req, httplib::Response& res) {
    methods.push_back(req.method);
    bodyOfGet = req.body;
    res.set_content("got", "text/plain");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  ASSERT_TRUE(http.Post(Request(loop.Url("/p")), {"application/x-test", Binary(300)}).ok);
  const HttpResult got = http.Get(Request(loop.Url("/g")));
  ASSERT_TRUE(got.ok) << got.error;
  EXPECT_EQ(got.body, "got");
  EXPECT_EQ(methods, (std::vector<std::string>{"POST", "GET"}));
  EXPECT_EQ(bodyOfGet, "");
}

TEST(CurlTransport, PostToAPathTheServerDoesNotKnowIsA404Failure) {
  LoopbackServer loop;
  loop.server().Get("/", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("home", "text/plain");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  const HttpResult result =
      http.Post(Request(loop.Url(std::string(protocol::kRecordingPath))), {"a/b", Binary(10)});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 404);
  EXPECT_FALSE(result.error.empty());
}

TEST(CurlTransport, PostToAServerThatNeverAnswersTimesOut) {
  ListeningSocket silent;
  ASSERT_GT(silent.port(), 0);
  HttpLimits limits;
  limits.totalTimeoutMs = 300;
  CurlTransport http(limits);
  const HttpResult result = http.Post(
      Request("http://127.0.0.1:" + std::to_string(silent.port()) + "/x"), {"a/b", Binary(5000)});
  EXPECT_FALSE(result.ok);
  EXPECT_EQ(result.status, 0);
  EXPECT_NE(result.error.find("imed out"), std::string::npos) << result.error;
}

TEST(CurlTransport, RefusesUrlsThatAreNotHttp) {
  CurlTransport http;
  const HttpResult result = http.Get(Request("file:///etc/hostname"));
  EXPECT_FALSE(result.ok);
  EXPECT_TRUE(result.body.empty());
}

}  // namespace
}  // namespace brinecast
