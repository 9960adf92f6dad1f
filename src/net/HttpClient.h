// The HTTP requests the online services need (GET, and POST of a binary body): a request, its
// result, the transport interface (scripted in the simulator, started without waiting where
// the picture must go on) and the real one on libcurl.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace brinecast {

struct HttpRequest {
  std::string url;
  std::vector<std::string> headers;  // "Name: value" lines
};

// What a POST sends: the bytes as they are, under this content type.
struct HttpBody {
  std::string contentType;
  std::vector<uint8_t> bytes;
};

struct HttpResult {
  bool ok = false;
  long status = 0;  // 0 when no reply came at all
  std::string body;
  std::string error;  // why it failed; empty when ok
};

// A request under way.
class HttpPending {
 public:
  virtual ~HttpPending() = default;
  virtual bool Done() const = 0;
  // What came back; only once Done.
  virtual HttpResult Result() = 0;
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual HttpResult Get(const HttpRequest&) = 0;
  // The body's content type replaces any Content-Type among the request's headers. A
  // transport that does not post answers as a server without the path: status 404.
  virtual HttpResult Post(const HttpRequest&, const HttpBody&) {
    HttpResult result;
    result.status = 404;
    result.error = "HTTP status 404";
    return result;
  }
  // True when Get returns at once (scripted runs): the game then calls it inline.
  virtual bool Immediate() const { return false; }
  // Starts a GET (or a POST of body, copied) and returns at once; finished is called, from any
  // thread, when the result is there. By default the blocking call runs on a thread of its own.
  virtual std::unique_ptr<HttpPending> Start(const HttpRequest& request, const HttpBody* body,
                                             std::function<void()> finished);
};

// The default start: Get or Post on a thread, joined when the result is taken or dropped.
class ThreadedHttpPending final : public HttpPending {
 public:
  ThreadedHttpPending(HttpTransport& transport, HttpRequest request, std::optional<HttpBody> body,
                      std::function<void()> finished)
      : worker_([this, &transport, request = std::move(request), body = std::move(body),
                 finished = std::move(finished)] {
          result_ = body ? transport.Post(request, *body) : transport.Get(request);
          done_ = true;
          if (finished) finished();
        }) {}
  ~ThreadedHttpPending() override {
    if (worker_.joinable()) worker_.join();
  }
  ThreadedHttpPending(const ThreadedHttpPending&) = delete;
  ThreadedHttpPending& operator=(const ThreadedHttpPending&) = delete;

  bool Done() const override { return done_; }
  HttpResult Result() override {
    if (worker_.joinable()) worker_.join();
    return result_;
  }

 private:
  HttpResult result_;
  std::atomic<bool> done_ = false;
  std::thread worker_;  // last: it starts once the rest is made
};

inline std::unique_ptr<HttpPending> HttpTransport::Start(const HttpRequest& request,
                                                         const HttpBody* body,
                                                         std::function<void()> finished) {
  return std::make_unique<ThreadedHttpPending>(
      *this, request, body ? std::optional<HttpBody>(*body) : std::nullopt, std::move(finished));
}

struct HttpLimits {
  long connectTimeoutMs = 5000;
  long totalTimeoutMs = 10000;  // a server that accepts and never answers must not hang us
  std::size_t maxBodyBytes = 16u << 20;
};

// libcurl underneath. Cookies live in memory for the transport's life and go back on
// later requests. One request at a time, from any thread.
class CurlTransport : public HttpTransport {
 public:
  explicit CurlTransport(HttpLimits limits = {});
  ~CurlTransport() override;
  CurlTransport(const CurlTransport&) = delete;
  CurlTransport& operator=(const CurlTransport&) = delete;

  HttpResult Get(const HttpRequest& request) override;
  HttpResult Post(const HttpRequest& request, const HttpBody& body) override;

 private:
  HttpResult Perform(const HttpRequest& request, const HttpBody* body);

  struct Handle;
  HttpLimits limits_;
  std::mutex mutex_;
  std::unique_ptr<Handle> handle_;
};

}  // namespace brinecast
