// What the game does to prove a score, for tests: ask for a token, submit with it, and post
// the recording with the same token, on a plain connection so any body can be sent.
#pragma once

#include <string>

#include "RawConnection.h"
#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"
#include "scores/http/ListenSocket.h"

namespace brinecast::testing {

// A port free a moment ago.
inline int FreeLoopbackPort() {
  std::string error;
  const int fd = scores::OpenListener("127.0.0.1", 0, error);
  if (fd < 0) return -1;
  const int port = scores::BoundPort(fd);
  close(fd);
  return port;
}

// The token of a stored submission; empty when the server refused it.
inline std::string SubmitScore(const std::string& host, const std::string& name, int64_t score,
                               const std::string& note) {
  CurlTransport http;
  const HttpResult check = http.Get({CheckUrl(host), ScoreRequestHeaders()});
  const std::string token = protocol::ReplyToken(check.body);
  const std::string payload =
      protocol::BuildPayload(name, score, protocol::kSubmissionKey, token, note);
  const HttpResult sent =
      http.Get({SubmitUrl(host, protocol::EncodeSubmission(payload)), ScoreRequestHeaders()});
  return sent.body == protocol::kOk ? token : std::string();
}

struct RawReply {
  int status = 0;    // 0 when the server closed without a reply
  std::string text;  // status line, headers and body
  std::string Body() const {
    const size_t end = text.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : text.substr(end + 4);
  }
  bool HasHeader(const std::string& line) const {
    return text.find("\r\n" + line + "\r\n") != std::string::npos;
  }
};

inline RawReply ReadReply(RawConnection& c) {
  RawReply reply;
  reply.text = c.Receive(std::chrono::seconds(10));
  if (reply.text.starts_with("HTTP/1.1 ") && reply.text.size() >= 12) {
    reply.status = std::stoi(reply.text.substr(9, 3));
  }
  return reply;
}

// One request on its own connection, which the server closes after its reply.
inline RawReply Send(int port, const std::string& method, const std::string& target,
                     const std::string& body = "", bool chunked = false) {
  RawConnection c(port);
  std::string head = method + " " + target + " HTTP/1.1\r\nHost: t\r\nConnection: close\r\n";
  head += "Content-Type: " + std::string(protocol::kRecordingContentType) + "\r\n";
  if (chunked) {
    c.Send(head + "Transfer-Encoding: chunked\r\n\r\n");
    char size[32];
    for (size_t at = 0; at < body.size(); at += 65536) {
      const std::string piece = body.substr(at, 65536);
      std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
      if (!c.Send(size + piece + "\r\n")) break;
    }
    c.Send("0\r\n\r\n");
  } else {
    if (!body.empty() || method == "POST") {
      head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    }
    c.Send(head + "\r\n" + body);
  }
  return ReadReply(c);
}

inline RawReply PostRecording(int port, const std::string& token, const std::string& bytes,
                              bool chunked = false) {
  return Send(port, "POST", protocol::RecordingTarget(token), bytes, chunked);
}

}  // namespace brinecast::testing
