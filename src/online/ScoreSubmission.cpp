// ScoreSubmission: the check's reply decides whether the submission is sent at all.
#include "online/ScoreSubmission.h"

#include "online/ScoreServer.h"
#include "online/ServerReply.h"
#include "online/Submission.h"

namespace brinecast {

ScoreSubmission::ScoreSubmission(HttpTransport& transport, std::string host, ScoreToSend entry)
    : transport_(transport), host_(std::move(host)), entry_(std::move(entry)) {
  request_ =
      std::make_unique<HttpAsync>(transport_, HttpRequest{CheckUrl(host_), ScoreRequestHeaders()});
  Advance();
}

bool ScoreSubmission::Poll() {
  if (!done_) Advance();
  return done_;
}

void ScoreSubmission::Advance() {
  // An immediate transport finishes both requests in one go.
  while (!done_ && request_->Done()) {
    if (!checking_) {
      done_ = true;
      break;
    }
    // A failed request leaves the reply empty, which is not "OK".
    const HttpResult& check = request_->Result();
    const std::string reply = check.ok ? check.body : std::string();
    if (!ReplyIsOk(reply)) {
      done_ = true;
      break;
    }
    reachable_ = true;
    checking_ = false;
    const std::string payload =
        BuildPayload(entry_.name, entry_.score, kSubmissionKey, ReplyP(reply), entry_.addText);
    request_ = std::make_unique<HttpAsync>(
        transport_,
        HttpRequest{SubmitUrl(host_, EncodeSubmission(payload)), ScoreRequestHeaders()});
  }
}

}  // namespace brinecast
