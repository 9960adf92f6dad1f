// CurlTransport: one libcurl easy handle kept for the transport's life, so its cookie
// store and its connections carry over from one request to the next.
#include <curl/curl.h>

#include <string>
#include <string_view>

#include "net/HttpClient.h"

namespace brinecast {

namespace {

struct BodySink {
  std::string* body;
  std::size_t cap;
  bool overflow = false;
};

size_t WriteBody(char* data, size_t size, size_t count, void* user) {
  auto* sink = static_cast<BodySink*>(user);
  const size_t bytes = size * count;
  if (sink->body->size() + bytes > sink->cap) {
    sink->overflow = true;
    return 0;  // curl then ends the transfer with a write error
  }
  sink->body->append(data, bytes);
  return bytes;
}

struct HeaderList {
  curl_slist* list = nullptr;
  ~HeaderList() { curl_slist_free_all(list); }
  bool Add(const std::string& line) {
    curl_slist* grown = curl_slist_append(list, line.c_str());
    if (grown) list = grown;
    return grown != nullptr;
  }
};

bool NamesContentType(std::string_view line) {
  constexpr std::string_view kName = "content-type:";
  if (line.size() < kName.size()) return false;
  for (size_t i = 0; i < kName.size(); ++i) {
    char c = line[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != kName[i]) return false;
  }
  return true;
}

}  // namespace

struct CurlTransport::Handle {
  CURL* curl = nullptr;
  ~Handle() {
    if (curl) curl_easy_cleanup(curl);
  }
};

CurlTransport::CurlTransport(HttpLimits limits)
    : limits_(limits), handle_(std::make_unique<Handle>()) {
  handle_->curl = curl_easy_init();
  if (handle_->curl) curl_easy_setopt(handle_->curl, CURLOPT_COOKIEFILE, "");
}

CurlTransport::~CurlTransport() = default;

HttpResult CurlTransport::Get(const HttpRequest& request) {
  return Perform(request, nullptr);
}

HttpResult CurlTransport::Post(const HttpRequest& request, const HttpBody& body) {
  return Perform(request, &body);
}

HttpResult CurlTransport::Perform(const HttpRequest& request, const HttpBody* body) {
  std::lock_guard lock(mutex_);
  HttpResult result;
  CURL* curl = handle_->curl;
  if (!curl) {
    result.error = "HTTP client could not start";
    return result;
  }
  HeaderList headers;
  bool listed = true;
  for (const std::string& line : request.headers) {
    if (body && NamesContentType(line)) continue;
    listed = listed && headers.Add(line);
  }
  if (body) {
    listed = listed && headers.Add("Content-Type: " + body->contentType);
    // Without this the body waits on a "100 Continue" that a plain server never sends.
    listed = listed && headers.Add("Expect:");
  }
  if (!listed) {
    result.error = "out of memory";
    return result;
  }
  BodySink sink{&result.body, limits_.maxBodyBytes};
  char message[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
  if (body) {
    // Sent from our buffer with its length, so Content-Length is exact and nothing is chunked.
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                     static_cast<curl_off_t>(body->bytes.size()));
    // An empty body still needs a buffer, or curl would read the body from standard input.
    const void* bytes = body->bytes.empty() ? static_cast<const void*>("") : body->bytes.data();
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, bytes);
  } else {
    curl_easy_setopt(curl, CURLOPT_HTTPGET, 1L);
  }
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.list);
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits_.connectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits_.totalTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WriteBody);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &sink);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, message);
  const CURLcode code = curl_easy_perform(curl);
  curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &result.status);
  // The handle outlives this call; it must not keep pointers into our locals.
  curl_easy_setopt(curl, CURLOPT_HTTPHEADER, nullptr);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, nullptr);
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, nullptr);
  if (body) curl_easy_setopt(curl, CURLOPT_POSTFIELDS, nullptr);

  if (sink.overflow) {
    result.body.clear();
    result.error = "reply larger than " + std::to_string(limits_.maxBodyBytes) + " bytes";
  } else if (code != CURLE_OK) {
    result.error = message[0] ? message : curl_easy_strerror(code);
  } else if (result.status >= 400) {
    result.error = "HTTP status " + std::to_string(result.status);
  } else {
    result.ok = true;
  }
  return result;
}

}  // namespace brinecast
