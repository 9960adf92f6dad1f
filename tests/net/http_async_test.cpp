#include <gtest/gtest.h>

#include <thread>

#include "LoopbackServer.h"
#include "net/HttpAsync.h"

namespace brinecast {
namespace {

using testing::LoopbackServer;

class ScriptedTransport : public HttpTransport {
 public:
  HttpResult Get(const HttpRequest& request) override {
    caller = std::this_thread::get_id();
    return {true, 200, "scripted " + request.url, ""};
  }
  bool Immediate() const override { return true; }
  std::thread::id caller;
};

TEST(HttpAsync, ImmediateTransportIsCalledInline) {
  ScriptedTransport scripted;
  HttpAsync request(scripted, {"u", {}});
  EXPECT_TRUE(request.Done());
  EXPECT_EQ(scripted.caller, std::this_thread::get_id());
  EXPECT_EQ(request.Result().body, "scripted u");
}

// Remembers which thread made the request.
class ThreadRecorder : public HttpTransport {
 public:
  explicit ThreadRecorder(HttpTransport& inner) : inner_(inner) {}
  HttpResult Get(const HttpRequest& request) override {
    caller = std::this_thread::get_id();
    return inner_.Get(request);
  }
  std::thread::id caller;

 private:
  HttpTransport& inner_;
};

TEST(HttpAsync, RealTransportRunsOffThisThread) {
  LoopbackServer loop;
  loop.server().Get("/x", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content("OK|a|b|c|d|", "text/html");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  ThreadRecorder recorder(http);
  HttpAsync request(recorder, {loop.Url("/x"), {}});
  const HttpResult& result = request.Result();
  EXPECT_TRUE(request.Done());
  ASSERT_TRUE(result.ok) << result.error;
  EXPECT_EQ(result.body, "OK|a|b|c|d|");
  EXPECT_NE(recorder.caller, std::this_thread::get_id());
}

TEST(HttpAsync, DestroyingWhileRunningWaitsForTheRequest) {
  LoopbackServer loop;
  loop.server().Get("/x", [&](const httplib::Request&, httplib::Response& res) {
    res.set_content("late", "text/html");
  });
  ASSERT_GT(loop.Start(), 0);
  CurlTransport http;
  { HttpAsync request(http, {loop.Url("/x"), {}}); }
  // The transport is free again: the abandoned request has ended.
  EXPECT_EQ(http.Get({loop.Url("/x"), {}}).body, "late");
}

}  // namespace
}  // namespace brinecast
