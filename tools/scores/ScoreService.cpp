// The server's rules: every refusal says why, and nothing is stored unless the whole
// submission is good.
#include "scores/ScoreService.h"

#include <random>

#include "scores/CodePage.h"
#include "scores/HtmlPages.h"
#include "scores/PayloadDecoder.h"

namespace brinecast::scores {

std::string NewToken() {
  constexpr std::string_view kChars =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device random;
  std::uniform_int_distribution<size_t> pick(0, kChars.size() - 1);
  std::string token(24, ' ');
  for (char& c : token) c = kChars[pick(random)];
  return token;
}

ScoreService::ScoreService(ScoreStore& store, ServiceLimits limits, Clock clock)
    : store_(store), limits_(limits), clock_(std::move(clock)) {}

Reply ScoreService::Check(const std::string& address) {
  const int64_t now = clock_();
  store_.DropTokensIssuedBefore(now - limits_.tokenLifetime);
  if (store_.CountTokensSince(address, now - 60) >= limits_.checksPerMinute) {
    return {429, "Too many requests, try again in a minute"};
  }
  if (store_.CountTokens() >= limits_.maxTokens) return {503, "Server busy, try again later"};
  const std::string token = NewToken();
  store_.AddToken(token, address, now);
  return {200, "OK|" + std::string(kServerVersion) + "|||" + token + "|"};
}

Reply ScoreService::Submit(std::string_view encoded, const std::string& address) {
  const std::optional<std::string> payload = DecodeSubmission(encoded);
  const std::optional<Submission> submission = payload ? ParseSubmission(*payload) : std::nullopt;
  if (!submission) return {400, "Malformed submission"};
  const int64_t now = clock_();
  if (store_.CountScoresSince(address, now - 60) >= limits_.submissionsPerMinute) {
    return {429, "Too many submissions, try again in a minute"};
  }
  if (store_.CountScores() >= limits_.maxScores) return {507, "Score table is full"};
  const ScoreEntry entry{CodePageToUtf8(submission->name), submission->score,
                         CodePageToUtf8(submission->text), now, address};
  if (!store_.StoreWithToken(submission->token, now - limits_.tokenLifetime, entry)) {
    return {403, "Unknown, expired or used token"};
  }
  return {200, "OK"};
}

Reply ScoreService::World() {
  return {200, WorldPage(store_.Top(kWorldTableRows)), "text/html; charset=utf-8"};
}

Reply ScoreService::Home() {
  return {200, HomePage(), "text/html; charset=utf-8"};
}

}  // namespace brinecast::scores
