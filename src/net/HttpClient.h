// The blocking HTTP requests the online services need (GET, and POST of a binary body): a
// request, its result, the transport interface (scripted in the simulator) and the real one
// on libcurl.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
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
  HttpResult Post(const HttpRequest& request, const HttpBody& body) override;

 private:
  HttpResult Perform(const HttpRequest& request, const HttpBody* body);

  struct Handle;
  HttpLimits limits_;
  std::mutex mutex_;
  std::unique_ptr<Handle> handle_;
};

}  // namespace brinecast
