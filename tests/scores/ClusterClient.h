// A client of servers behind a proxy, named by the header the proxy passes on, so one test
// speaks as many clients; and a count of how many requests went through.
#pragma once

#include <string>
#include <vector>

#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"

namespace brinecast::testing {

// Requests from one client, as a proxy in front names it.
struct Client {
  explicit Client(std::string from, std::string header = "X-Forwarded-For")
      : address(std::move(from)), naming(std::move(header)) {}
  std::string address;
  std::string naming;  // the header that names the client
  std::vector<std::string> Headers() const {
    std::vector<std::string> headers = ScoreRequestHeaders();
    headers.push_back(naming + ": " + address);
    return headers;
  }
  bool Check(int port) {
    return http.Get({CheckUrl("127.0.0.1:" + std::to_string(port)), Headers()}).status == 200;
  }
  // A token and a submission with it: the token when the submission was stored.
  std::string Submit(int port, const std::string& name, int64_t score,
                     const std::string& note = "") {
    const std::string host = "127.0.0.1:" + std::to_string(port);
    const std::string token = protocol::ReplyToken(http.Get({CheckUrl(host), Headers()}).body);
    const std::string payload =
        protocol::BuildPayload(name, score, protocol::kSubmissionKey, token, note);
    const HttpResult sent =
        http.Get({SubmitUrl(host, protocol::EncodeSubmission(payload)), Headers()});
    return sent.status == 200 ? token : std::string();
  }
  // The status of an upload; one naming no score is refused, but counted.
  long Upload(int port, const std::string& token = "", const std::string& bytes = "r") {
    return http
        .Post({"http://127.0.0.1:" + std::to_string(port) + protocol::RecordingTarget(token),
               Headers()},
              {std::string(protocol::kRecordingContentType), {bytes.begin(), bytes.end()}})
        .status;
  }
  CurlTransport http;
};

// How many of `tries` requests, going round the servers, were let through.
template <typename Request>
inline int Allowed(const std::vector<int>& ports, int tries, Request request) {
  int allowed = 0;
  for (int i = 0; i < tries; ++i) allowed += request(ports[i % ports.size()]) ? 1 : 0;
  return allowed;
}

}  // namespace brinecast::testing
