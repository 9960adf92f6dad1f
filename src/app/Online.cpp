// The score submission (a reachability check, then the encoded result) and the
// two web pages of the score server. Requests run off the main thread while the
// main loop goes on nested, so the window keeps drawing "Wait Please...".
#include <atomic>
#include <thread>

#include "app/TForm1.h"
#include "net/HttpClient.h"
#include "objects/Chk.h"
#include "objects/Player.h"
#include "online/ScoreServer.h"
#include "online/ServerReply.h"
#include "online/Submission.h"

namespace brinecast {

HttpResult TForm1::Request(const std::string& url) {
  HttpResult result;
  HttpRequest request{url, ScoreRequestHeaders()};
  if (http_.Immediate()) return http_.Get(request);
  std::atomic<bool> done = false;
  std::thread worker([&] {
    result = http_.Get(request);
    done = true;
    platform_.Wake();
  });
  // A close request meanwhile waits for the submission's end and is then taken as on
  // the screen the game has come to: the table asks, the name entry ignores it.
  Loop.RunWhile([&] { return !done; });
  worker.join();
  return result;
}

bool TForm1::SubmitScore() {
  // What is sent is fixed when the submission starts.
  const std::string name = PlayerName;
  const int64_t score = Player ? Player->Score() : 0;
  const std::string addText = Config.AddText;
  const std::string host = ScoreServerHost();

  Sending = true;
  if (TChk* chk = Chk.Get()) chk->Shown = false;
  const HttpResult check = Request(CheckUrl(host));
  const std::string reply = check.ok ? check.body : std::string();
  if (!ReplyIsOk(reply)) {
    Loop.ShowMessage(
        MessageBoxContent{"Can't connect to server!", "Information", BoxIcon::Information});
    Sending = false;
    if (TChk* chk = Chk.Get()) chk->Shown = true;
    return false;
  }
  const std::string payload = BuildPayload(name, score, kSubmissionKey, ReplyP(reply), addText);
  Request(SubmitUrl(host, EncodeSubmission(payload)));
  return true;
}

void TForm1::OpenPage(const std::string& url) {
  // With no browser to hand the page to, the player can still type the address.
  if (!platform_.OpenUrl(url)) {
    Loop.ShowMessage(
        MessageBoxContent{"No web browser could be opened. Open this address by hand:\n" + url,
                          "Information", BoxIcon::Information});
  }
}

void TForm1::OpenWorldScores() {
  OpenPage(WorldScoresUrl(ScoreServerHost()));
}

void TForm1::VisitPortal() {
  OpenPage(PortalUrl(ScoreServerHost()));
}

}  // namespace brinecast
