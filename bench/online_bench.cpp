// Online scores: the server's payload decoder, and one check and submit round trip
// through the game's client and the score server on loopback.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "net/HttpClient.h"
#include "online/ScoreServer.h"
#include "online/ServerReply.h"
#include "online/Submission.h"
#include "protocol/Encoding.h"
#include "protocol/Payload.h"
#include "scores/ListenSocket.h"
#include "scores/ScoreHttp.h"
#include "scores/SqliteStore.h"

namespace {

using namespace brinecast;

void BM_DecodeSubmission(benchmark::State& state) {
  const std::string encoded = EncodeSubmission(BuildPayload(
      "Twelve chars", 123456789, kSubmissionKey, "AbCdEfGhIjKlMnOpQrStUvWx", "Hello!"));
  for (auto _ : state) {
    auto payload = protocol::DecodeSubmission(encoded);
    auto submission = protocol::ParseSubmission(*payload);
    benchmark::DoNotOptimize(submission);
  }
}
BENCHMARK(BM_DecodeSubmission);

void BM_EncodeSubmission(benchmark::State& state) {
  const std::string payload =
      BuildPayload("Twelve chars", 123456789, kSubmissionKey, "AbCdEfGhIjKlMnOpQrStUvWx", "Hello!");
  for (auto _ : state) benchmark::DoNotOptimize(EncodeSubmission(payload));
}
BENCHMARK(BM_EncodeSubmission);

void BM_CheckAndSubmitRoundTrip(benchmark::State& state) {
  std::string folder = (std::filesystem::temp_directory_path() / "brinecast-bench-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  {
    scores::SqliteStore store(folder + "/scores.db");
    scores::ServiceLimits limits;
    limits.checksPerMinute = limits.submissionsPerMinute = 1'000'000;
    scores::ScoreService service(store, limits, [] {
      return std::chrono::duration_cast<std::chrono::seconds>(
                 std::chrono::system_clock::now().time_since_epoch())
          .count();
    });
    scores::ScoreRouter router(service);
    scores::HttpOptions options;
    options.logRequests = false;
    scores::HttpServer server(router, options);
    std::string error;
    const int listener = scores::OpenListener("127.0.0.1", 0, error);
    if (listener < 0 || !server.Start(listener, error)) state.SkipWithError(error.c_str());
    const int port = scores::BoundPort(listener);
    const std::string host = "127.0.0.1:" + std::to_string(port);
    CurlTransport http;
    int64_t score = 0;
    for (auto _ : state) {
      if (port <= 0) break;
      const HttpResult check = http.Get({CheckUrl(host), ScoreRequestHeaders()});
      const std::string payload =
          BuildPayload("Bench", ++score, kSubmissionKey, ReplyP(check.body), "");
      const HttpResult sent =
          http.Get({SubmitUrl(host, EncodeSubmission(payload)), ScoreRequestHeaders()});
      if (!sent.ok) state.SkipWithError(sent.error.c_str());
    }
    server.Stop();
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CheckAndSubmitRoundTrip)->Unit(benchmark::kMicrosecond);

}  // namespace
