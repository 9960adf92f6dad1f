// fetch() with a time limit and a size limit; the page hands the answer back through
// brinecast_fetch_done, naming the request it belongs to.
#include "web/FetchTransport.h"

#include <emscripten.h>

#include <string>

#include "platform/web/SameOriginUrl.h"
#include "platform/web/browser/PageCalls.h"

namespace brinecast {

namespace {

// clang-format off
EM_JS(void, fetch_start, (void* pending, const char* target, const char* headers,
                          const uint8_t* body, int bodySize, int hasBody, double timeoutMs,
                          double maxBytes), {
  var live = Module.brinecastFetches || (Module.brinecastFetches = new Set());
  live.add(pending);
  var init = { method: hasBody ? "POST" : "GET", headers: new Headers(), credentials: "same-origin",
               cache: "no-store" };
  UTF8ToString(headers).split("\n").forEach(function(line) {
    var colon = line.indexOf(":");
    // The browser keeps some headers (User-Agent) to itself.
    if (colon > 0) try { init.headers.set(line.slice(0, colon), line.slice(colon + 1).trim()); } catch (e) {}
  });
  if (hasBody) init.body = HEAPU8.slice(body, body + bodySize);
  var abort = new AbortController();
  init.signal = abort.signal;
  var timer = setTimeout(function() { abort.abort(); }, timeoutMs);
  var deliver = function(status, bytes, error) {
    clearTimeout(timer);
    if (!live.delete(pending)) return;  // given up meanwhile
    var size = bytes ? bytes.length : 0;
    var data = _malloc(Math.max(size, 1));
    if (bytes) HEAPU8.set(bytes, data);
    var text = allocateUTF8(error);
    Module._brinecast_fetch_done(pending, status, data, size, text);
    _free(text);
    _free(data);
  };
  fetch(UTF8ToString(target), init).then(function(reply) {
    return reply.arrayBuffer().then(function(buffer) {
      if (buffer.byteLength > maxBytes) return deliver(reply.status, null, "reply larger than " + maxBytes + " bytes");
      deliver(reply.status, new Uint8Array(buffer), reply.status >= 400 ? "HTTP status " + reply.status : "");
    });
  }).catch(function(error) {
    deliver(0, null, abort.signal.aborted ? "Operation timed out" : String(error && error.message || error));
  });
});

EM_JS(void, fetch_forget, (void* pending), {
  if (Module.brinecastFetches) Module.brinecastFetches.delete(pending);
});
// clang-format on

class FetchPending final : public HttpPending {
 public:
  explicit FetchPending(std::function<void()> finished) : finished_(std::move(finished)) {}
  ~FetchPending() override {
    if (!done_) fetch_forget(this);
  }
  FetchPending(const FetchPending&) = delete;
  FetchPending& operator=(const FetchPending&) = delete;

  bool Done() const override { return done_; }
  HttpResult Result() override { return result_; }

  void Finish(HttpResult result) {
    result_ = std::move(result);
    done_ = true;
    if (finished_) finished_();
  }

 private:
  std::function<void()> finished_;
  HttpResult result_;
  bool done_ = false;
};

}  // namespace

std::unique_ptr<HttpPending> FetchTransport::Start(const HttpRequest& request, const HttpBody* body,
                                                   std::function<void()> finished) {
  auto pending = std::make_unique<FetchPending>(std::move(finished));
  const std::optional<std::string> target = SameOriginTarget(request.url);
  if (!target) {
    HttpResult refused;
    refused.error = "not an address of the page's server: " + request.url;
    pending->Finish(refused);
    return pending;
  }
  std::string headers;
  for (const std::string& line : request.headers) headers += line + "\n";
  if (body != nullptr) headers += "Content-Type: " + body->contentType + "\n";
  fetch_start(pending.get(), target->c_str(), headers.c_str(),
              body != nullptr ? body->bytes.data() : nullptr,
              body != nullptr ? static_cast<int>(body->bytes.size()) : 0, body != nullptr ? 1 : 0,
              static_cast<double>(limits_.totalTimeoutMs),
              static_cast<double>(limits_.maxBodyBytes));
  return pending;
}

HttpResult FetchTransport::Wait(std::unique_ptr<HttpPending> pending) {
  while (!pending->Done()) PageSleep(1000);
  return pending->Result();
}

HttpResult FetchTransport::Get(const HttpRequest& request) {
  return Wait(Start(request, nullptr, [] { PageWake(); }));
}

HttpResult FetchTransport::Post(const HttpRequest& request, const HttpBody& body) {
  return Wait(Start(request, &body, [] { PageWake(); }));
}

}  // namespace brinecast

extern "C" EMSCRIPTEN_KEEPALIVE void brinecast_fetch_done(void* pending, int status,
                                                          const char* data, int size,
                                                          const char* error) {
  brinecast::HttpResult result;
  result.status = status;
  result.body.assign(data, static_cast<size_t>(size));
  result.error = error;
  result.ok = status > 0 && status < 400 && result.error.empty();
  static_cast<brinecast::FetchPending*>(pending)->Finish(std::move(result));
}
