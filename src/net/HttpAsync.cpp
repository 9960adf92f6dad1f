// HttpAsync: the worker thread writes the result once, then raises the done flag.
#include "net/HttpAsync.h"

#include <utility>

namespace brinecast {

HttpAsync::HttpAsync(HttpTransport& transport, HttpRequest request) {
  if (transport.Immediate()) {
    result_ = transport.Get(request);
    done_.store(true, std::memory_order_release);
    return;
  }
  worker_ = std::thread([this, &transport, request = std::move(request)] {
    result_ = transport.Get(request);
    done_.store(true, std::memory_order_release);
  });
}

HttpAsync::~HttpAsync() {
  if (worker_.joinable()) worker_.join();
}

const HttpResult& HttpAsync::Result() {
  if (worker_.joinable()) worker_.join();
  return result_;
}

}  // namespace brinecast
