// The score server's requests from the browser: fetch() of the same-origin path, started
// without stopping the game, which goes on drawing until the answer is there.
#pragma once

#include <memory>

#include "net/HttpClient.h"

namespace brinecast {

class FetchTransport final : public HttpTransport {
 public:
  explicit FetchTransport(HttpLimits limits = {}) : limits_(limits) {}

  // Blocking calls yield to the page until the answer is there.
  HttpResult Get(const HttpRequest& request) override;
  HttpResult Post(const HttpRequest& request, const HttpBody& body) override;
  std::unique_ptr<HttpPending> Start(const HttpRequest& request, const HttpBody* body,
                                     std::function<void()> finished) override;

 private:
  HttpResult Wait(std::unique_ptr<HttpPending> pending);

  HttpLimits limits_;
};

}  // namespace brinecast
