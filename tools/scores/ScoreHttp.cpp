// Routes: the query of /cgi/version.pl is read by hand, since its flags carry no values.
#include "scores/ScoreHttp.h"

#include <httplib.h>

#include <exception>
#include <string_view>

namespace brinecast::scores {

namespace {

struct Query {
  bool version = false;
  bool hs = false;
  bool show = false;
  std::string_view prg;
  std::string_view type;
  std::string_view inf;
};

Query ParseQuery(std::string_view target) {
  Query query;
  const size_t mark = target.find('?');
  if (mark == std::string_view::npos) return query;
  std::string_view rest = target.substr(mark + 1);
  while (!rest.empty()) {
    const size_t amp = rest.find('&');
    const std::string_view piece = rest.substr(0, amp);
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
    const size_t eq = piece.find('=');
    const std::string_view key = piece.substr(0, eq);
    const std::string_view value =
        eq == std::string_view::npos ? std::string_view() : piece.substr(eq + 1);
    if (key == "version") query.version = true;
    if (key == "hs") query.hs = true;
    if (key == "show") query.show = true;
    if (key == "prg") query.prg = value;
    if (key == "type") query.type = value;
    if (key == "inf") query.inf = value;
  }
  return query;
}

void Send(httplib::Response& res, const Reply& reply) {
  res.status = reply.status;
  res.set_content(reply.body, reply.contentType.c_str());
  res.set_header("Cache-Control", "no-store");
}

Reply Answer(ScoreService& service, const httplib::Request& req) {
  const Query query = ParseQuery(req.target);
  if (query.prg != "Brinecast") return {404, "Unknown program"};
  if (query.version) return service.Check(req.remote_addr);
  if (query.hs) return service.Submit(query.inf, req.remote_addr);
  if (query.show && query.type == "0") return service.World();
  return {400, "Unknown request"};
}

// A failing database must not take the server down: the client sees 500, nothing stored.
template <typename Handler>
void Guarded(httplib::Response& res, Handler handler) {
  try {
    Send(res, handler());
  } catch (const std::exception&) {
    Send(res, {500, "Server error"});
  }
}

}  // namespace

void ConfigureServer(httplib::Server& server) {
  server.new_task_queue = [] { return new httplib::ThreadPool(32); };
  // Small replies go out at once instead of waiting on the client's delayed acknowledgement.
  server.set_tcp_nodelay(true);
  server.set_keep_alive_timeout(5);
  server.set_read_timeout(5, 0);
  server.set_write_timeout(5, 0);
  server.set_payload_max_length(4096);
}

void InstallRoutes(httplib::Server& server, ScoreService& service) {
  server.set_pre_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    if (req.target.size() <= kMaxTargetLength) return httplib::Server::HandlerResponse::Unhandled;
    Send(res, {414, "Request too long"});
    return httplib::Server::HandlerResponse::Handled;
  });
  server.Get("/cgi/version.pl", [&service](const httplib::Request& req, httplib::Response& res) {
    Guarded(res, [&] { return Answer(service, req); });
  });
  server.Get("/", [&service](const httplib::Request&, httplib::Response& res) {
    Guarded(res, [&] { return service.Home(); });
  });
}

}  // namespace brinecast::scores
