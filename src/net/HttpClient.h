// The blocking HTTP GET the online services need: a request, its result, the transport
// interface (scripted in the simulator) and the real one on libcurl.
#pragma once

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace brinecast {

struct HttpRequest {
  std::string url;
  std::vector<std::string> headers;  // "Name: value" lines
};

struct HttpResult {
  bool ok = false;
  long status = 0;  // 0 when no reply came at all
  std::string body;
  std::string error;  // why it failed; empty when ok
};

class HttpTransport {
 public:
  virtual ~HttpTransport() = default;
  virtual HttpResult Get(const HttpRequest&) = 0;
  // True when Get returns at once (scripted runs): the game then calls it inline.
  virtual bool Immediate() const { return false; }
};

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

 private:
  struct Handle;
  HttpLimits limits_;
  std::mutex mutex_;
  std::unique_ptr<Handle> handle_;
};

}  // namespace brinecast
