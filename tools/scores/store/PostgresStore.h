// The shared store: PostgreSQL through libpq, so several server processes can use one
// database. A small pool of connections, each statement bounded in time.
#pragma once

#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "scores/store/PgConnection.h"
#include "scores/store/ScoreStore.h"

namespace brinecast::scores {

class PostgresStore : public ScoreStore {
 public:
  explicit PostgresStore(const StoreSettings& settings);
  ~PostgresStore() override;
  PostgresStore(const PostgresStore&) = delete;
  PostgresStore& operator=(const PostgresStore&) = delete;

  SubmitOutcome Submit(const std::string& token, const SubmitRules& rules,
                       const ScoreEntry& entry) override;
  int64_t CountScores() override;
  std::vector<ScoreEntry> Top(int limit) override;
  std::string Secret() override;
  int SchemaVersion() override;
  void Ping() override;
  std::vector<StoredScore> Ranked(int64_t limit, bool provenOnly) override;
  bool Remove(int64_t id) override;
  int64_t Ban(const std::string& name) override;
  void Backup(const std::string& path) override;
  UploadResult StoreRecording(const std::string& tokenDigest, int64_t now,
                              const std::string& bytes) override;
  std::vector<int64_t> WaitingRecordings() override;
  std::optional<WaitingRecording> RecordingToVerify(int64_t id) override;
  bool SaveVerdict(int64_t id, const RecordingVerdict& verdict) override;
  std::optional<std::string> ProvenRecording(int64_t id) override;

 private:
  class Session;
  std::unique_ptr<PgConnection> Acquire(PgConnection::Deadline deadline);
  void Release(std::unique_ptr<PgConnection> connection);
  PgConnection::Deadline Deadline() const;
  void Upgrade();

  std::vector<std::pair<std::string, std::string>> settings_;
  std::chrono::seconds timeout_;
  int maxConnections_;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<std::unique_ptr<PgConnection>> idle_;
  int open_ = 0;
};

}  // namespace brinecast::scores
