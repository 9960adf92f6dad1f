// Each request keeps a small state from its first line to its end: what to log, and the
// reply a worker made while the connection was suspended.
#include "scores/http/HttpServer.h"

#include <microhttpd.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>

#include "scores/http/ClientAddress.h"
#include "scores/http/OpenFiles.h"
#include "scores/http/RequestFraming.h"
#include "scores/http/RequestLog.h"

namespace brinecast::scores {

namespace {

struct RequestState {
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
  std::string target;
  std::string method = "-";
  std::string client = "-";
  int status = 0;
  bool answered = false;
  bool seen = false;        // the headers have been looked at
  bool dispatched = false;  // answered, or given to a worker
  std::atomic<bool> replyReady{false};
  Reply reply;
  std::optional<size_t> bodyLimit;  // set when the request sends a body the router takes
  std::string body;
  UploadSlots* uploads = nullptr;  // the place its body holds, given back when it ends
  std::string cause;               // of a refusal, for the log
};

std::string PeerAddress(MHD_Connection* connection) {
  const MHD_ConnectionInfo* info =
      MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
  return info ? AddressText(info->client_addr) : "-";
}

// What no reply may leave out: the type is never guessed, nothing is framed, and a reply that
// names no policy of its own may load nothing at all.
constexpr const char* kDefaultPolicy =
    "default-src 'none'; base-uri 'none'; frame-ancestors 'none'";

void ReleaseFile(void* file) {
  delete static_cast<std::shared_ptr<const std::string>*>(file);
}

// A file kept in memory is sent from there, held until the library is done with it.
MHD_Response* NewResponse(const Reply& reply) {
  if (!reply.file) {
    return MHD_create_response_from_buffer(reply.body.size(), const_cast<char*>(reply.body.data()),
                                           MHD_RESPMEM_MUST_COPY);
  }
  auto* held = new std::shared_ptr<const std::string>(reply.file);
  MHD_Response* response = MHD_create_response_from_buffer_with_free_callback_cls(
      reply.file->size(), const_cast<char*>(reply.file->data()), &ReleaseFile, held);
  if (!response) delete held;
  return response;
}

MHD_Result Queue(MHD_Connection* connection, RequestState& state, const Reply& reply, bool close) {
  MHD_Response* response = NewResponse(reply);
  if (!response) return MHD_NO;
  MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, reply.contentType.c_str());
  if (!reply.Header(MHD_HTTP_HEADER_CACHE_CONTROL)) {
    MHD_add_response_header(response, MHD_HTTP_HEADER_CACHE_CONTROL, "no-store");
  }
  if (!reply.Header("Content-Security-Policy")) {
    MHD_add_response_header(response, "Content-Security-Policy", kDefaultPolicy);
  }
  MHD_add_response_header(response, "X-Content-Type-Options", "nosniff");
  if (close) MHD_add_response_header(response, MHD_HTTP_HEADER_CONNECTION, "close");
  bool allowSaid = false;
  for (const auto& [name, value] : reply.headers) {
    MHD_add_response_header(response, name.c_str(), value.c_str());
    allowSaid = allowSaid || name == MHD_HTTP_HEADER_ALLOW;
  }
  if (reply.status == MHD_HTTP_METHOD_NOT_ALLOWED && !allowSaid) {
    MHD_add_response_header(response, MHD_HTTP_HEADER_ALLOW, "GET, HEAD");
  }
  const MHD_Result queued =
      MHD_queue_response(connection, static_cast<unsigned>(reply.status), response);
  MHD_destroy_response(response);
  if (reply.status >= 400 && !reply.file && state.cause.empty()) state.cause = reply.body;
  state.status = reply.status;
  state.answered = true;
  return queued;
}

// The declared body length: nothing when none is declared, -1 when it is not a number.
std::optional<int64_t> DeclaredLength(MHD_Connection* connection) {
  const char* length =
      MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
  if (!length) return std::nullopt;
  const std::string_view text(length);
  int64_t value = -1;
  const auto [stop, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || stop != text.data() + text.size() || value < 0) {
    return -1;
  }
  return value;
}

MHD_Result KeepHeader(void* headers, MHD_ValueKind, const char* name, const char* value) {
  static_cast<std::vector<std::pair<std::string, std::string>>*>(headers)->emplace_back(
      name, value ? value : "");
  return MHD_YES;
}

bool HasBody(MHD_Connection* connection) {
  const char* length =
      MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
  const char* coding =
      MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_TRANSFER_ENCODING);
  return coding || (length && std::strcmp(length, "0") != 0);
}

const char* Ending(MHD_RequestTerminationCode code) {
  switch (code) {
    case MHD_REQUEST_TERMINATED_COMPLETED_OK:
      return "";
    case MHD_REQUEST_TERMINATED_TIMEOUT_REACHED:
      return "timed-out";
    case MHD_REQUEST_TERMINATED_READ_ERROR:
      return "client-gone";
    case MHD_REQUEST_TERMINATED_CLIENT_ABORT:
      return "client-gone";
    case MHD_REQUEST_TERMINATED_DAEMON_SHUTDOWN:
      return "server-stopping";
    default:
      return "failed";
  }
}

}  // namespace

std::string_view HttpRequest::Header(std::string_view name) const {
  for (const auto& [key, value] : headers) {
    if (SameHeaderName(key, name)) return value;
  }
  return {};
}

struct HttpServer::Glue {
  static MHD_Result Policy(void* self, const sockaddr* address, socklen_t) {
    auto& server = *static_cast<HttpServer*>(self);
    const std::string text = AddressText(address);
    const auto& proxies = server.options_.trustedProxies;
    const bool proxy = std::find(proxies.begin(), proxies.end(), text) != proxies.end();
    return server.watch_.Admit(LimitKey(text), proxy) ? MHD_YES : MHD_NO;
  }

  static void Connection(void* self, MHD_Connection* connection, void**,
                         MHD_ConnectionNotificationCode code) {
    auto& server = *static_cast<HttpServer*>(self);
    if (code == MHD_CONNECTION_NOTIFY_CLOSED) {
      // A connection cut before its request line was read has no request to log it.
      const std::optional<ConnectionWatch::Cut> cut = server.watch_.Closed(connection);
      if (cut && server.options_.logRequests) {
        LogLine(RequestLine(PeerAddress(connection), "-", "-", "- timed-out", cut->milliseconds,
                            cut->cause));
      }
      return;
    }
    const MHD_ConnectionInfo* fd =
        MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
    if (fd) server.watch_.Opened(connection, fd->connect_fd, LimitKey(PeerAddress(connection)));
  }

  static void* FirstLine(void*, const char* uri, MHD_Connection*) {
    auto* state = new RequestState;
    state->target = uri ? uri : "";
    return state;
  }

  static void Completed(void* self, MHD_Connection* connection, void** context,
                        MHD_RequestTerminationCode code) {
    auto& server = *static_cast<HttpServer*>(self);
    auto* state = static_cast<RequestState*>(*context);
    *context = nullptr;
    const std::optional<ConnectionWatch::Cut> cut = server.watch_.TakeCut(connection);
    server.watch_.RequestDone(connection);
    if (!state) return;
    if (state->uploads) state->uploads->Give(LimitKey(state->client));
    if (server.options_.logRequests) {
      const double took =
          std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - state->start)
              .count();
      std::string status = state->answered ? std::to_string(state->status) : "-";
      // A deadline ends a request by shutting its socket, which the library sees as an error.
      if (const char* ending = cut ? "timed-out" : Ending(code); *ending) {
        status += std::string(" ") + ending;
      }
      if (cut) state->cause = cut->cause;
      if (state->client == "-") state->client = PeerAddress(connection);
      LogLine(RequestLine(state->client, state->method, state->target, status, took, state->cause));
    }
    delete state;
  }

  static void Log(void*, const char* format, va_list args) {
    char text[512];
    std::vsnprintf(text, sizeof text, format, args);
    std::string line = text;
    while (!line.empty() && line.back() == '\n') line.pop_back();
    LogError("http: " + line);
  }

  static std::string Client(HttpServer& server, MHD_Connection* connection) {
    const std::string peer = PeerAddress(connection);
    const auto& proxies = server.options_.trustedProxies;
    if (std::find(proxies.begin(), proxies.end(), peer) == proxies.end()) return peer;
    const char* forwarded =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, "X-Forwarded-For");
    if (!forwarded) return peer;
    return ForwardedClient(forwarded).value_or(peer);
  }

  // A request the router takes a body for: its declared length is checked against the limit
  // before a byte of it is read, and it takes one of the upload places its client may hold.
  static MHD_Result StartBody(HttpServer& server, MHD_Connection* connection, RequestState& state,
                              size_t limit) {
    const std::optional<int64_t> length = DeclaredLength(connection);
    if (length && *length < 0) {
      return Queue(connection, state, {400, "Content-Length is not a number"}, true);
    }
    if (length && static_cast<uint64_t>(*length) > limit) {
      return Queue(connection, state,
                   {413, "Too large: at most " + std::to_string(limit) + " bytes"}, true);
    }
    switch (server.uploads_.Take(LimitKey(state.client))) {
      case UploadSlots::Taken::kYes:
        break;
      case UploadSlots::Taken::kServerFull:
        return Queue(connection, state,
                     {503, "Server busy: too many uploads at once, try again later"}, true);
      case UploadSlots::Taken::kClientFull:
        return Queue(
            connection, state,
            {429, "Too many uploads at once from this client: at most " +
                      std::to_string(server.options_.uploadsPerClient) + ", try again later"},
            true);
    }
    state.uploads = &server.uploads_;
    state.bodyLimit = limit;
    if (length) state.body.reserve(static_cast<size_t>(*length));
    return MHD_YES;
  }

  static MHD_Result Handle(void* self, MHD_Connection* connection, const char*, const char* method,
                           const char* version, const char* uploadData, size_t* uploadSize,
                           void** context) {
    auto& server = *static_cast<HttpServer*>(self);
    auto* state = static_cast<RequestState*>(*context);
    if (!state) return MHD_NO;
    if (!state->seen) {
      state->seen = true;
      server.watch_.HeadersDone(connection);
      state->method = method;
      state->client = Client(server, connection);
      HeaderList headers;
      MHD_get_connection_values(connection, MHD_HEADER_KIND, &KeepHeader, &headers);
      // Before anything else looks at a body, so nothing reads one framed two ways.
      if (std::optional<Reply> fault = FramingFault(headers, version ? version : "")) {
        return Queue(connection, *state, *fault, true);
      }
      std::optional<size_t> bodyLimit;
      std::optional<Reply> refused;
      try {
        const HttpRequest head{state->method, state->target, state->client, {}};
        bodyLimit = server.router_.BodyLimit(head);
        if (bodyLimit) refused = server.router_.RefuseBody(head);
      } catch (const std::exception& e) {
        LogError(e.what());
        return Queue(connection, *state, {500, "Server error"}, true);
      }
      if (refused) return Queue(connection, *state, *refused, true);
      if (bodyLimit) return StartBody(server, connection, *state, *bodyLimit);
      // Refusals go out at once and close the connection; anything else is answered on the
      // next call, once the request has been read to its end, so the connection stays open.
      if (state->method != "GET" && state->method != "HEAD") {
        return Queue(connection, *state, {405, "Only GET and HEAD are served"}, true);
      }
      // A body on a GET would otherwise be read as the next request.
      if (HasBody(connection)) {
        return Queue(connection, *state, {400, "A GET request carries no body"}, true);
      }
      return MHD_YES;
    }
    if (state->answered) {
      *uploadSize = 0;
      return MHD_YES;
    }
    if (*uploadSize != 0) {
      const size_t size = *uploadSize;
      *uploadSize = 0;
      if (!state->bodyLimit) return MHD_YES;
      // A body that passes its limit without having declared it (chunked) is cut off there:
      // no reply can be queued halfway through a body, and reading on would only feed it.
      if (size > *state->bodyLimit - state->body.size()) {
        state->cause =
            "body past " + std::to_string(*state->bodyLimit) + " bytes: connection closed";
        state->body = std::string();
        return MHD_NO;
      }
      state->body.append(uploadData, size);
      return MHD_YES;
    }
    if (state->replyReady.load()) return Queue(connection, *state, state->reply, false);
    if (state->dispatched) return MHD_YES;
    state->dispatched = true;
    HttpRequest request{state->method, state->target, state->client, std::move(state->body)};
    if (!state->bodyLimit)
      MHD_get_connection_values(connection, MHD_HEADER_KIND, &KeepHeader, &request.headers);
    try {
      if (std::optional<Reply> reply = server.router_.Quick(request)) {
        return Queue(connection, *state, *reply, false);
      }
    } catch (const std::exception& e) {
      LogError(e.what());
      return Queue(connection, *state, {500, "Server error"}, false);
    }
    MHD_suspend_connection(connection);
    const bool posted =
        server.workers_.TryPost([&server, connection, state, request = std::move(request)] {
          try {
            state->reply = server.router_.Slow(request);
          } catch (const std::exception& e) {
            LogError(LoggedTarget(request.target) + ": " + e.what());
            state->reply = {500, "Server error"};
          }
          state->replyReady.store(true);
          MHD_resume_connection(connection);
        });
    if (!posted) {
      MHD_resume_connection(connection);
      return Queue(connection, *state,
                   {503, "Server busy: too much database work waiting, try again later"}, false);
    }
    return MHD_YES;
  }
};

namespace {

// Every connection holds a file; some are kept for the database, the replay children's pipes
// and the site's files.
HttpOptions WithinOpenFiles(HttpOptions options) {
  constexpr size_t kKeptFiles = 256;
  const size_t files = RaiseOpenFileLimit();
  const size_t most = files > 2 * kKeptFiles ? files - kKeptFiles : files / 2;
  if (static_cast<size_t>(options.connections) > most) {
    LogNote("at most " + std::to_string(most) + " connections at once, for the limit of " +
            std::to_string(files) + " open files");
    options.connections = static_cast<int>(most);
  }
  if (options.watch.pressure == 0) {
    options.watch.pressure = static_cast<size_t>(std::max(1, options.connections / 2));
  }
  return options;
}

}  // namespace

HttpServer::HttpServer(HttpRouter& router, HttpOptions options)
    : router_(router),
      options_(WithinOpenFiles(std::move(options))),
      watch_(options_.watch),
      workers_(options_.workers, options_.queueLimit),
      uploads_(options_.uploads, std::max(1, options_.uploadsPerClient)) {}

HttpServer::~HttpServer() {
  Stop();
}

bool HttpServer::Start(int listener, std::string& error) {
  listener_ = listener;
  sockaddr_storage address{};
  socklen_t size = sizeof address;
  getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  unsigned flags = MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME |
                   MHD_USE_ERROR_LOG;
  if (address.ss_family == AF_INET6) flags |= MHD_USE_IPv6;
  daemon_ = MHD_start_daemon(
      flags, 0, &Glue::Policy, this, &Glue::Handle, this, MHD_OPTION_EXTERNAL_LOGGER, &Glue::Log,
      this, MHD_OPTION_LISTEN_SOCKET, listener, MHD_OPTION_THREAD_POOL_SIZE,
      static_cast<unsigned>(std::max(1, options_.threads)), MHD_OPTION_CONNECTION_LIMIT,
      static_cast<unsigned>(options_.connections), MHD_OPTION_CONNECTION_TIMEOUT,
      static_cast<unsigned>(options_.idleSeconds), MHD_OPTION_CONNECTION_MEMORY_LIMIT,
      options_.memoryPerConnection, MHD_OPTION_URI_LOG_CALLBACK, &Glue::FirstLine, this,
      MHD_OPTION_NOTIFY_COMPLETED, &Glue::Completed, this, MHD_OPTION_NOTIFY_CONNECTION,
      &Glue::Connection, this, MHD_OPTION_END);
  if (!daemon_) {
    error = "the HTTP server did not start (see the messages above)";
    return false;
  }
  return true;
}

void HttpServer::Stop() {
  if (daemon_) {
    MHD_quiesce_daemon(daemon_);
    // Suspended connections must be resumed before the daemon stops: the workers do that.
    workers_.Stop();
    MHD_stop_daemon(daemon_);
    daemon_ = nullptr;
  }
  if (listener_ >= 0) {
    close(listener_);
    listener_ = -1;
  }
}

}  // namespace brinecast::scores
