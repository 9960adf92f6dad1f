// The score submission (a reachability check, the encoded result, then the game's
// recording) and the two web pages of the score server. Requests run without holding the main
// loop, which goes on nested, so the window keeps drawing "Wait Please...". An upload the
// server was too busy for waits in the player's folder and is tried again later, unseen.
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "app/TForm1.h"
#include "app/screens/MenuState.h"
#include "net/HttpClient.h"
#include "objects/Chk.h"
#include "objects/Player.h"
#include "online/ScoreServer.h"
#include "online/UploadRetry.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"
#include "storage/UploadOutbox.h"

namespace brinecast {

namespace {

// How often the outbox is looked at while nothing is under way, in the frames' milliseconds.
constexpr uint64_t kLookEveryMs = 5000;

// The outbox's folder failing costs the player nothing: the upload is lost, the game goes on.
template <typename Step>
void Quietly(Step step) {
  try {
    step();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "brinecast: %s\n", error.what());
  }
}

}  // namespace

// The uploads waiting for another try, and the one under way.
struct UploadRetries {
  UploadRetries(const std::string& playerFolder, uint64_t ticks)
      : outbox(playerFolder),
        ticksAtStart(ticks),
        // The one reading of the machine's calendar: tokens expire by it, and it must hold
        // across restarts. From here on the frames' clock carries it forward.
        wallAtStart(std::chrono::duration_cast<std::chrono::seconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count()),
        now(wallAtStart) {}
  // A try that ended as the game did is settled, so the next start does not send it again.
  ~UploadRetries() {
    if (pending && pending->Done()) Settle(pending->Result().status);
  }
  UploadRetries(const UploadRetries&) = delete;
  UploadRetries& operator=(const UploadRetries&) = delete;

  // Brings now to the frame clock's ticks.
  void Tick(uint64_t ticks) {
    now = wallAtStart +
          static_cast<int64_t>(ticks >= ticksAtStart ? (ticks - ticksAtStart) / 1000 : 0);
  }

  // A first try the server was too busy for waits its turn, if it can come while the token
  // holds.
  void Keep(const std::string& host, const std::string& token,
            const std::vector<uint8_t>& recording) {
    const WaitingUpload waiting{
        host, token, UploadDeadline(token, now), 1, now + UploadBackOff(1), recording};
    if (waiting.nextTry <= waiting.deadline) Quietly([&] { outbox.Add(waiting); });
  }

  // After a try: another one later, or done with it (taken, refused, or out of time).
  void Settle(long status) {
    ++sent.attempts;
    sent.nextTry = now + UploadBackOff(sent.attempts);
    if (UploadWorthRetrying(status) && sent.nextTry <= sent.deadline) {
      Quietly([&] { outbox.Update(name, sent); });
    } else {
      outbox.Remove(name);
    }
    sent = {};
  }

  UploadOutbox outbox;
  uint64_t ticksAtStart;
  int64_t wallAtStart;
  int64_t now;            // seconds since 1970, as of the last Tick
  uint64_t nextLook = 0;  // frame clock ticks
  std::unique_ptr<HttpPending> pending;
  std::string name;  // of the outbox's file being tried
  WaitingUpload sent;
};

UploadRetries& TForm1::Uploads() {
  if (!uploads_) {
    const std::string folder = std::filesystem::path(configFile_.Path()).parent_path().string();
    uploads_ = std::make_shared<UploadRetries>(folder, DXTimer1.LastTime);
  }
  return *uploads_;
}

void TForm1::TendUploads() {
  // Never in a replay, and never beside a submission's own requests.
  if (!playerFiles_ || Sending()) return;
  UploadRetries& uploads = Uploads();
  uploads.Tick(DXTimer1.LastTime);
  if (uploads.pending) {
    if (!uploads.pending->Done()) return;
    const long status = uploads.pending->Result().status;
    uploads.pending.reset();
    uploads.Settle(status);
    return;
  }
  if (DXTimer1.LastTime < uploads.nextLook) return;
  uploads.nextLook = DXTimer1.LastTime + kLookEveryMs;
  auto due = uploads.outbox.NextDue(uploads.now);
  if (!due) return;
  uploads.name = std::move(due->first);
  uploads.sent = std::move(due->second);
  const HttpBody body{std::string(protocol::kRecordingContentType), uploads.sent.recording};
  // Nobody is woken when it ends: the frames look, and the player never waits for it.
  uploads.pending = http_.Start(
      HttpRequest{RecordingUrl(uploads.sent.host, uploads.sent.token), ScoreRequestHeaders()},
      &body, nullptr);
}

HttpResult TForm1::Request(const std::string& url, const HttpBody* body) {
  const HttpRequest request{url, ScoreRequestHeaders()};
  auto send = [&] { return body ? http_.Post(request, *body) : http_.Get(request); };
  if (http_.Immediate()) return send();
  const std::unique_ptr<HttpPending> pending =
      http_.Start(request, body, [this] { platform_.Wake(); });
  // A close request meanwhile waits for the submission's end and is then taken as on
  // the screen the game has come to: the table asks, the name entry ignores it.
  Loop().RunWhile([&] { return !pending->Done(); });
  return pending->Result();
}

bool TForm1::SubmitScore() {
  // What is sent is fixed when the submission starts.
  const std::string name = PlayerName();
  const int64_t score = Player() ? Player()->Score() : 0;
  const std::string addText = Config.AddText;
  const std::string host = scoreServer_;

  SetSending(true);
  if (TChk* chk = Menu().checkBox.Get()) chk->Shown = false;
  const HttpResult check = Request(CheckUrl(host));
  const std::string reply = check.ok ? check.body : std::string();
  if (!protocol::ReplyIsOk(reply)) {
    Loop().ShowMessage(
        MessageBoxContent{"Can't connect to server!", "Information", BoxIcon::Information});
    SetSending(false);
    if (TChk* chk = Menu().checkBox.Get()) chk->Shown = true;
    return false;
  }
  const std::string payload = protocol::BuildPayload(name, score, protocol::kSubmissionKey,
                                                     protocol::ReplyToken(reply), addText);
  Request(SubmitUrl(host, protocol::EncodeSubmission(payload)));
  // The recording goes last, named by the check's token; whatever the answer (a server that
  // does not know the path says 404), the player is not told.
  const std::string token = protocol::ReplyToken(reply);
  std::optional<std::vector<uint8_t>> recording = ClaimLastGame(name, addText);
  if (!token.empty() && recording && recording->size() <= protocol::kRecordingMaxBytes) {
    const HttpBody body{std::string(protocol::kRecordingContentType), std::move(*recording)};
    const long status = Request(RecordingUrl(host, token), &body).status;
    // A server too busy for it now gets it again later, while the token holds.
    if (playerFiles_ && UploadWorthRetrying(status)) {
      UploadRetries& uploads = Uploads();
      uploads.Tick(DXTimer1.LastTime);
      uploads.Keep(host, token, body.bytes);
    }
  }
  return true;
}

void TForm1::OpenPage(const std::string& url) {
  // With no browser to hand the page to, the player can still type the address.
  if (!platform_.OpenUrl(url)) {
    Loop().ShowMessage(
        MessageBoxContent{"No web browser could be opened. Open this address by hand:\n" + url,
                          "Information", BoxIcon::Information});
  }
}

void TForm1::OpenWorldScores() {
  OpenPage(WorldScoresUrl(scoreServer_));
}

void TForm1::VisitPortal() {
  OpenPage(PortalUrl(scoreServer_));
}

}  // namespace brinecast
