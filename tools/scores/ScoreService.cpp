// The server's rules: every refusal says why, and nothing is stored unless the whole
// submission is good. The world page is rendered once per change, not per request.
#include "scores/ScoreService.h"

#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "scores/ClientAddress.h"
#include "scores/CodePage.h"
#include "scores/HtmlPages.h"

namespace brinecast::scores {

ScoreService::ScoreService(ScoreStore& store, ServiceLimits limits, Clock clock)
    : store_(store),
      limits_(limits),
      clock_(std::move(clock)),
      signer_(store.Secret()),
      checks_(limits.checksPerMinute) {}

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
                          *expires};
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
  return Reply{200, page_, "text/html; charset=utf-8"};
}

Reply ScoreService::World() {
  if (std::optional<Reply> cached = CachedWorld()) return *cached;
  uint64_t generation = 0;
  {
    std::lock_guard lock(pageMutex_);
    generation = generation_;
  }
  const int64_t now = clock_();
  std::string page = WorldPage(store_.Top(kWorldTableRows));
  std::lock_guard lock(pageMutex_);
  // A submission during the read makes this page old already: shown, not kept.
  if (generation == generation_) {
    page_ = page;
    pageTime_ = now;
    pageGeneration_ = generation;
  }
  return {200, std::move(page), "text/html; charset=utf-8"};
}

Reply ScoreService::Home() {
  return {200, HomePage(), "text/html; charset=utf-8"};
}

Reply ScoreService::Health() {
  try {
    store_.Ping();
    return {200, "OK\n"};
  } catch (const std::exception& e) {
    return {503, std::string("Database not answering: ") + e.what() + "\n"};
  }
}

}  // namespace brinecast::scores
