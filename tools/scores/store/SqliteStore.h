// The embedded store: one SQLite file in WAL mode, one connection shared under a lock.
#pragma once

#include <mutex>
#include <string>

#include "scores/store/ScoreStore.h"

struct sqlite3;

namespace brinecast::scores {

class SqliteStore : public ScoreStore {
 public:
  explicit SqliteStore(const std::string& path);
  ~SqliteStore() override;
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

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
  void Exec(const char* sql);
  // Runs `body` in an immediate transaction, committed when it returns true.
  template <typename Body>
  bool Transaction(Body body);
  void Upgrade();
  std::mutex mutex_;
  sqlite3* db_ = nullptr;
};

}  // namespace brinecast::scores
