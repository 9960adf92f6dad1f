// The server's rules: every refusal says why, and nothing is stored unless the whole
// submission is good. The world page is rendered once per change, not per request.
#include "scores/service/ScoreService.h"

#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "scores/http/ClientAddress.h"
#include "scores/service/HtmlPages.h"
#include "scores/service/SecurityPolicies.h"
#include "scores/store/CodePage.h"
#include "scores/store/TokenSigner.h"

namespace brinecast::scores {

namespace {

// The server's pages load their stylesheet and pictures from here, and nothing else.
Reply PageReply(std::string page) {
  Reply reply{200, std::move(page), "text/html; charset=utf-8"};
  reply.headers.emplace_back("Content-Security-Policy", std::string(kPagePolicy));
  return reply;
}

}  // namespace

ScoreService::ScoreService(ScoreStore& store, ServiceLimits limits, Clock clock)
    : store_(store),
      limits_(limits),
      clock_(std::move(clock)),
      signer_(store.Secret()),
      checks_(limits.checksPerMinute),
      // Each stored score may send one recording; twice that leaves room for retries.
      uploads_(2 * limits.submissionsPerMinute) {}

Reply ScoreService::Check(const std::string& address) {
  const int64_t now = clock_();
  if (!checks_.Allow(LimitKey(address), now)) {
    return {429, "Too many requests, try again in a minute"};
  }
  const std::string token = signer_.Issue(now + limits_.tokenLifetime);
  return {200, protocol::CheckReply(kServerVersion, token)};
}

Reply ScoreService::Submit(std::string_view encoded, const std::string& address) {
  const std::optional<std::string> payload = protocol::DecodeSubmission(encoded);
  const std::optional<protocol::Submission> submission =
      payload ? protocol::ParseSubmission(*payload) : std::nullopt;
  if (!submission) return {400, "Malformed submission"};
  const int64_t now = clock_();
  const std::optional<int64_t> expires = signer_.Verify(submission->token, now);
  if (!expires) return {403, "Unknown, expired or used token"};
  const ScoreEntry entry{CodePageToUtf8(submission->name), submission->score,
                         CodePageToUtf8(submission->text), now, address};
  const SubmitRules rules{LimitKey(address), limits_.submissionsPerMinute, limits_.maxScores,
                          *expires, now + limits_.uploadWindow};
  switch (store_.Submit(submission->token, rules, entry)) {
    case SubmitOutcome::kStored:
      break;
    case SubmitOutcome::kTokenUsed:
      return {403, "Unknown, expired or used token"};
    case SubmitOutcome::kTooMany:
      return {429, "Too many submissions, try again in a minute"};
    case SubmitOutcome::kBelowTable:
      return {507, "Score table is full and this score is below all it keeps"};
    case SubmitOutcome::kBanned:
      return {403, "This name may not submit scores"};
  }
  std::lock_guard lock(pageMutex_);
  ++generation_;
  return {200, std::string(protocol::kOk)};
}

std::optional<Reply> ScoreService::CachedWorld() {
  std::lock_guard lock(pageMutex_);
  if (pageGeneration_ != generation_ || clock_() - pageTime_ >= limits_.pageLifetime) {
    return std::nullopt;
  }
  return PageReply(page_);
}

Reply ScoreService::World() {
  if (std::optional<Reply> cached = CachedWorld()) return *cached;
  uint64_t generation = 0;
  {
    std::lock_guard lock(pageMutex_);
    generation = generation_;
  }
  const int64_t now = clock_();
  const std::vector<StoredScore> proven = store_.Ranked(kWorldTableRows, true);
  const std::vector<StoredScore> all =
      limits_.provenOnly ? std::vector<StoredScore>() : store_.Ranked(kWorldTableRows, false);
  std::string page = WorldPage(proven, all, limits_.provenOnly, game_);
  std::lock_guard lock(pageMutex_);
  // A submission during the read makes this page old already: shown, not kept.
  if (generation == generation_) {
    page_ = page;
    pageTime_ = now;
    pageGeneration_ = generation;
  }
  return PageReply(std::move(page));
}

Reply ScoreService::Upload(const std::string& token, const std::string& bytes,
                           const std::string& address) {
  if (std::optional<Reply> refused = AdmitUpload(token, address)) return *refused;
  return StoreUpload(token, bytes, address);
}

std::optional<Reply> ScoreService::AdmitUpload(const std::string& token,
                                               const std::string& address) {
  if (!recordings_) return Reply{404, "This server does not take recordings"};
  if (!uploads_.Allow(LimitKey(address), clock_())) {
    return Reply{429, "Too many recordings, try again in a minute"};
  }
  if (token.empty()) return Reply{400, "No token names the score this recording is for"};
  // Only the signature: the token's own expiry is for its submission, not for this.
  if (!signer_.Verify(token, 0)) return Reply{403, "Unknown token"};
  return std::nullopt;
}

Reply ScoreService::StoreUpload(const std::string& token, const std::string& bytes,
                                const std::string& address) {
  if (!recordings_) return {404, "This server does not take recordings"};
  if (bytes.empty()) return {400, "No recording sent"};
  const int64_t now = clock_();
  const std::string sender = LimitKey(address);
  switch (recordings_->ReserveFrom(sender)) {
    case QueuePlace::kTaken:
      break;
    case QueuePlace::kSenderFull: {
      Reply share{429, "Too many recordings from this client waiting to be verified: at most " +
                           std::to_string(recordings_->SenderShare()) + ", try again later"};
      share.headers.emplace_back("Retry-After", "60");
      return share;
    }
    case QueuePlace::kFull: {
      Reply busy{503, "Too many recordings waiting to be verified, try again later"};
      busy.headers.emplace_back("Retry-After", "60");
      return busy;
    }
  }
  UploadResult stored;
  try {
    stored = store_.StoreRecording(TokenDigest(token), now, bytes, sender);
  } catch (...) {
    recordings_->CancelFrom(sender);
    throw;
  }
  if (stored.outcome == UploadOutcome::kStored) {
    recordings_->PostFrom(stored.id, sender);
    return {202, "Accepted: the recording will be verified"};
  }
  recordings_->CancelFrom(sender);
  switch (stored.outcome) {
    case UploadOutcome::kUnknownToken:
      return {403, "No score was stored with this token"};
    case UploadOutcome::kExpired:
      return {410, "Too late: a recording must follow its score within " +
                       std::to_string(limits_.uploadWindow / 60) + " minutes"};
    case UploadOutcome::kAlreadySent:
      return {409, "This score has its recording already"};
    case UploadOutcome::kStored:
      break;
  }
  return {500, "Server error"};
}

Reply ScoreService::Recording(int64_t id) {
  std::optional<std::string> bytes = store_.ProvenRecording(id);
  if (!bytes) return {404, "No proven score has this recording"};
  Reply file{200, std::move(*bytes), "application/octet-stream"};
  file.headers.emplace_back("Content-Disposition",
                            "attachment; filename=\"" + RecordingFileName(id) + "\"");
  return file;
}

void ScoreService::ScoresChanged() {
  std::lock_guard lock(pageMutex_);
  ++generation_;
}

Reply ScoreService::Home() {
  return PageReply(HomePage(game_));
}

void ScoreService::ClusterSeen(const LiveCount& live) {
  checks_.Share(live.servers);
  uploads_.Share(live.servers);
  liveServers_ = live.servers;
  liveVerifiers_ = live.verifiers;
}

Reply ScoreService::Health() {
  try {
    store_.Ping();
    Reply ok{200, "OK\n"};
    if (liveServers_ > 0) {
      ok.headers.emplace_back("Brinecast-Servers", std::to_string(liveServers_));
      ok.headers.emplace_back("Brinecast-Verifiers", std::to_string(liveVerifiers_));
    }
    return ok;
  } catch (const std::exception& e) {
    return {503, std::string("Database not answering: ") + e.what() + "\n"};
  }
}

}  // namespace brinecast::scores
