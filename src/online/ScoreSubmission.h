// The two requests of a score submission, the check and then the submission, run one
// after the other off the caller's thread while the caller's loop keeps polling.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "net/HttpAsync.h"
#include "net/HttpClient.h"

namespace brinecast {

struct ScoreToSend {
  std::string name;
  int64_t score = 0;
  std::string addText;
};

class ScoreSubmission {
 public:
  // Starts the check at once; a transport that answers at once finishes here.
  ScoreSubmission(HttpTransport& transport, std::string host, ScoreToSend entry);

  // Moves on when a request has ended; true once nothing is left to do.
  bool Poll();
  bool Done() const { return done_; }
  // Once done: whether the check's reply began with "OK" (the submission's own failure
  // is silent).
  bool Reachable() const { return reachable_; }

 private:
  void Advance();
  HttpTransport& transport_;
  std::string host_;
  ScoreToSend entry_;
  std::unique_ptr<HttpAsync> request_;
  bool checking_ = true;
  bool reachable_ = false;
  bool done_ = false;
};

}  // namespace brinecast
