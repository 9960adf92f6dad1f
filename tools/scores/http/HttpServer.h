// The HTTP layer: an event-driven server (libmicrohttpd) with a memory cap per connection,
// a per-client connection limit, a deadline per request, and a worker pool for what waits on
// the database, so slow clients and a slow database hold up nobody else.
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scores/http/ConnectionWatch.h"
#include "scores/http/HttpReply.h"
#include "scores/http/UploadSlots.h"
#include "scores/http/WorkerPool.h"

struct MHD_Daemon;

namespace brinecast::scores {

struct HttpOptions {
  int threads = 2;          // event loops
  int workers = 8;          // threads for database work
  size_t queueLimit = 512;  // database work waiting; more is refused with 503
  // Open at once in all, as far as the open-file limit allows; from half of them on, the
  // deadline for headers shortens (watch.pressure, unless set).
  int connections = 10000;
  int idleSeconds = 5;                     // a kept-alive connection closes after this long unused
  size_t memoryPerConnection = 32 * 1024;  // request line and headers must fit
  WatchLimits watch;
  std::vector<std::string> trustedProxies;  // their X-Forwarded-For names the client
  bool logRequests = true;
  int uploads = 32;          // request bodies being received at once; more are refused with 503
  int uploadsPerClient = 4;  // of those, from one address or IPv6 /64; more are refused with 429
};

struct HttpRequest {
  std::string method;
  std::string target;  // path and query as sent
  std::string client;  // the address limits and the table use
  std::string body;    // only of a request the router takes a body for
  std::vector<std::pair<std::string, std::string>> headers{};  // of a GET or HEAD, as sent

  // The value of a request header; empty when it was not sent.
  std::string_view Header(std::string_view name) const;
};

class HttpRouter {
 public:
  virtual ~HttpRouter() = default;
  // The most body bytes the request may send, when it is one that sends a body (method and
  // target known, no body yet); nothing refuses any body, as for every GET.
  virtual std::optional<size_t> BodyLimit(const HttpRequest&) { return std::nullopt; }
  // The refusal of such a request that its method, target and client already earn (a bad
  // token, say), given before anything is set aside for its body.
  virtual std::optional<Reply> RefuseBody(const HttpRequest&) { return std::nullopt; }
  // The reply when it can be given at once; nothing sends the request to a worker.
  virtual std::optional<Reply> Quick(const HttpRequest& request) = 0;
  virtual Reply Slow(const HttpRequest& request) = 0;
};

class HttpServer {
 public:
  HttpServer(HttpRouter& router, HttpOptions options);
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  // Serves on `listener`, a listening socket the server then owns; false with `error` set.
  bool Start(int listener, std::string& error);
  // Finishes the database work under way, then closes every connection.
  void Stop();

  // Callbacks of the library; public so its C functions can reach them.
  struct Glue;

 private:
  HttpRouter& router_;
  HttpOptions options_;
  ConnectionWatch watch_;
  WorkerPool workers_;
  UploadSlots uploads_;
  MHD_Daemon* daemon_ = nullptr;
  int listener_ = -1;
};

}  // namespace brinecast::scores
