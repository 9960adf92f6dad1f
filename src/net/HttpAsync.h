// One GET run off the caller's thread, so a frame loop can keep turning while it waits;
// a transport that answers at once is called inline instead.
#pragma once

#include <atomic>
#include <thread>

#include "net/HttpClient.h"

namespace brinecast {

class HttpAsync {
 public:
  // The transport must outlive this object.
  HttpAsync(HttpTransport& transport, HttpRequest request);
  // Waits for a request still running (bounded by the transport's time-outs).
  ~HttpAsync();
  HttpAsync(const HttpAsync&) = delete;
  HttpAsync& operator=(const HttpAsync&) = delete;

  bool Done() const { return done_.load(std::memory_order_acquire); }
  // The result once Done(); waits for it otherwise.
  const HttpResult& Result();

 private:
  HttpResult result_;
  std::atomic<bool> done_{false};
  std::thread worker_;
};

}  // namespace brinecast
