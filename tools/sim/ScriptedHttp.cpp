// Scripted replies first, then the named server, else an unreachable one.
#include "ScriptedHttp.h"

namespace brinecast::sim {

HttpResult ScriptedHttp::Get(const HttpRequest& request) {
  requested_.push_back(request.url);
  if (!queued_.empty()) {
    HttpResult result = queued_.front();
    queued_.pop_front();
    return result;
  }
  if (server_) return server_->Get(request);
  HttpResult unreachable;
  unreachable.error = "no server in this run";
  return unreachable;
}

HttpResult ScriptedHttp::Post(const HttpRequest& request, const HttpBody& body) {
  // Scripts queue replies for the score requests alone; an upload after them must not
  // take one meant for a later request.
  if (server_) return server_->Post(request, body);
  return HttpTransport::Post(request, body);
}

void ScriptedHttp::QueueReply(std::string body) {
  HttpResult result;
  result.ok = true;
  result.status = 200;
  result.body = std::move(body);
  queued_.push_back(std::move(result));
}

void ScriptedHttp::QueueFailure() {
  HttpResult result;
  result.error = "scripted failure";
  queued_.push_back(std::move(result));
}

}  // namespace brinecast::sim
