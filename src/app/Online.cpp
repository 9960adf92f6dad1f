// The score submission (a reachability check, the encoded result, then the game's
// recording) and the two web pages of the score server. Requests run without holding the main
// loop, which goes on nested, so the window keeps drawing "Wait Please...".
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
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "protocol/Requests.h"

namespace brinecast {

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
    Request(RecordingUrl(host, token), &body);
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
