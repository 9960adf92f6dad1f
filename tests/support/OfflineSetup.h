// The setup of a game under test that never reaches a score server: its network answers
// every request as an unplugged cable does, at once.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "app/GameSetup.h"
#include "net/HttpClient.h"

namespace brinecast::testing {

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

// Stateless, so one serves every game of a test program.
inline NoNetwork& Offline() {
  static NoNetwork none;
  return none;
}

inline GameSetup OfflineSetup(Platform& platform, std::string appDir, uint64_t seed) {
  return {{platform, Offline()}, {std::move(appDir), {}}, seed, std::nullopt};
}

}  // namespace brinecast::testing
