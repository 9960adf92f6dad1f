// What the server answers, apart from HTTP: the token check, the submission with its
// limits, the recording that may follow it, the pages and the health check. Safe to call
// from many threads at once.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "scores/http/HttpReply.h"
#include "scores/service/HtmlPages.h"
#include "scores/service/RateLimiter.h"
#include "scores/store/ScoreStore.h"
#include "scores/store/TokenSigner.h"
#include "scores/verify/RecordingQueue.h"

namespace brinecast::scores {

inline constexpr std::string_view kServerVersion = "1.0";

struct ServiceLimits {
  int64_t tokenLifetime = 600;  // seconds
  int checksPerMinute = 60;     // per address or IPv6 /64
  int submissionsPerMinute = 10;
  int64_t maxScores = 1'000'000;  // the best this many are kept
  int64_t pageLifetime = 5;       // seconds a rendered world page may show others' changes late
  int64_t uploadWindow = 900;     // seconds after its score that a recording may follow
  bool provenOnly = false;        // the world page shows only proven scores
};

class ScoreService {
 public:
  using Clock = std::function<int64_t()>;  // seconds since 1970
  // Reads (or makes) the signing secret from the store.
  ScoreService(ScoreStore& store, ServiceLimits limits, Clock clock);

  // Needs no database: the token is signed, the limit counted in memory.
  Reply Check(const std::string& address);
  Reply Submit(std::string_view encoded, const std::string& address);
  Reply World();
  // The world page when a fresh one is at hand, without asking the database.
  std::optional<Reply> CachedWorld();
  Reply Home();
  // 200 when the database answers, 503 with the cause when not.
  Reply Health();

  // From now on recordings are taken and queued there; without a queue every upload is
  // answered 404, as by a server that knows nothing of them. The queue must outlive the
  // service's requests.
  void TakeRecordings(RecordingQueue* queue) { recordings_ = queue; }
  bool TakesRecordings() const { return recordings_ != nullptr; }
  // The upload of a submitted game's recording, named by its submission's token: admitted,
  // then stored.
  Reply Upload(const std::string& token, const std::string& bytes, const std::string& address);
  // The refusal an upload earns before its body is read (no queue, too many from the
  // address, no or a forged token); nothing when it may send its recording. Counts it.
  std::optional<Reply> AdmitUpload(const std::string& token, const std::string& address);
  // The recording of an admitted upload, kept and queued.
  Reply StoreUpload(const std::string& token, const std::string& bytes, const std::string& address);
  // A proven score's recording as a file to download.
  Reply Recording(int64_t id);
  // Something shown on the world page changed behind the service's back.
  void ScoresChanged();
  // The servers and verifiers live on the database: the limits counted here become this
  // server's share, and the health check says how many there are.
  void ClusterSeen(const LiveCount& live);
  // What the pages offer of the browser game; set before the first request.
  void OfferGame(const GameOffer& game) { game_ = game; }

 private:
  ScoreStore& store_;
  ServiceLimits limits_;
  Clock clock_;
  TokenSigner signer_;
  RateLimiter checks_;
  RateLimiter uploads_;
  RecordingQueue* recordings_ = nullptr;
  GameOffer game_;
  std::atomic<int64_t> liveServers_{0};  // none seen: a server on its own
  std::atomic<int64_t> liveVerifiers_{0};
  std::mutex pageMutex_;
  std::string page_;
  int64_t pageTime_ = 0;
  uint64_t generation_ = 1;  // moves on with every stored score
  uint64_t pageGeneration_ = 0;
};

}  // namespace brinecast::scores
