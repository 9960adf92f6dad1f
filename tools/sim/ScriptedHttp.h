// The simulator's HTTP: replies queued by the script, else a real server when
// one was named, else the failure of an unreachable server. Posts (recording uploads)
// stay out of the script's way: they take no queued reply and are not listed.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "net/HttpClient.h"

namespace brinecast::sim {

class ScriptedHttp : public HttpTransport {
 public:
  // server: the transport for requests with nothing queued; null fails them.
  explicit ScriptedHttp(std::unique_ptr<HttpTransport> server) : server_(std::move(server)) {}

  HttpResult Get(const HttpRequest& request) override;
  // The named server's answer, else that of a server that does not know the path.
  HttpResult Post(const HttpRequest& request, const HttpBody& body) override;
  // The run waits for each request with its clock standing still.
  bool Immediate() const override { return true; }

  void QueueReply(std::string body);
  void QueueFailure();
  const std::vector<std::string>& Requested() const { return requested_; }

 private:
  std::unique_ptr<HttpTransport> server_;
  std::deque<HttpResult> queued_;
  std::vector<std::string> requested_;
};

}  // namespace brinecast::sim
