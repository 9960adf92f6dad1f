// A network that is never connected: every request fails at once as an unplugged cable does.
// A replay asks no server anything, and games under test reach none.
#pragma once

#include "net/HttpClient.h"

namespace brinecast {

class NoNetwork final : public HttpTransport {
 public:
  HttpResult Get(const HttpRequest&) override { return Unplugged(); }
  HttpResult Post(const HttpRequest&, const HttpBody&) override { return Unplugged(); }
  bool Immediate() const override { return true; }

 private:
  static HttpResult Unplugged() {
    HttpResult result;
    result.error = "no network";
    return result;
  }
};

}  // namespace brinecast
