// Online scores: the server's payload decoder, and one check and submit round trip
// through the game's client and the score server on loopback.
#include <benchmark/benchmark.h>

#include <string>

#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "protocol/Reply.h"
#include "scores/RunningServer.h"

namespace {

using namespace brinecast;

void BM_DecodeSubmission(benchmark::State& state) {
  const std::string encoded = protocol::EncodeSubmission(protocol::BuildPayload(
      "Twelve chars", 123456789, protocol::kSubmissionKey, "AbCdEfGhIjKlMnOpQrStUvWx", "Hello!"));
  for (auto _ : state) {
    auto payload = protocol::DecodeSubmission(encoded);
    auto submission = protocol::ParseSubmission(*payload);
    benchmark::DoNotOptimize(submission);
  }
}
BENCHMARK(BM_DecodeSubmission);

void BM_EncodeSubmission(benchmark::State& state) {
  const std::string payload = protocol::BuildPayload(
      "Twelve chars", 123456789, protocol::kSubmissionKey, "AbCdEfGhIjKlMnOpQrStUvWx", "Hello!");
  for (auto _ : state) benchmark::DoNotOptimize(protocol::EncodeSubmission(payload));
}
BENCHMARK(BM_EncodeSubmission);

void BM_CheckAndSubmitRoundTrip(benchmark::State& state) {
  scores::ServiceLimits limits;
  limits.checksPerMinute = limits.submissionsPerMinute = 1'000'000;
  testing::RunningServer server(limits);
  if (server.port() <= 0) {
    state.SkipWithError("the score server did not start");
    return;
  }
  // A round trip takes a millisecond; a server that stops answering ends the run, not hangs it.
  HttpLimits bounded;
  bounded.connectTimeoutMs = 2000;
  bounded.totalTimeoutMs = 5000;
  CurlTransport http(bounded);
  int64_t score = 0;
  for (auto _ : state) {
    const HttpResult check = http.Get({CheckUrl(server.Host()), ScoreRequestHeaders()});
    const std::string payload = protocol::BuildPayload("Bench", ++score, protocol::kSubmissionKey,
                                                       protocol::ReplyToken(check.body), "");
    const HttpResult sent = http.Get(
        {SubmitUrl(server.Host(), protocol::EncodeSubmission(payload)), ScoreRequestHeaders()});
    if (!sent.ok) {
      state.SkipWithError(sent.error.c_str());
      break;
    }
  }
}
BENCHMARK(BM_CheckAndSubmitRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
