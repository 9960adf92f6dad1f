// The score store's rules, written once over an SQL session: what SQLite and PostgreSQL
// spell differently is in their dialect records, how they connect in their sessions.
#pragma once

#include <memory>
#include <string>

#include "scores/store/ScoreStore.h"
#include "scores/store/SqlSession.h"

namespace brinecast::scores {

class SqlScoreStore : public ScoreStore {
 public:
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
  using ScoreStore::StoreRecording;
  UploadResult StoreRecording(const std::string& tokenDigest, int64_t now, const std::string& bytes,
                              const std::string& sender) override;
  std::vector<int64_t> WaitingRecordings() override;
  std::optional<WaitingRecording> RecordingToVerify(int64_t id) override;
  SavedVerdict SaveFirstVerdict(int64_t id, const RecordingVerdict& verdict) override;
  std::optional<WaitingRecording> ClaimRecording(const std::string& holder,
                                                 int64_t leaseSeconds) override;
  std::optional<WaitingRecording> ClaimFirstOfItsBytes(const std::string& holder,
                                                       int64_t leaseSeconds) override;
  void RenewClaims(const std::string& holder, int64_t leaseSeconds) override;
  void ReleaseClaims(const std::string& holder) override;
  int64_t CountWaiting() override;
  int64_t CountWaitingFrom(const std::string& sender) override;
  std::optional<RecordingVerdict> ReplayedBefore(const std::string& digest, int64_t id) override;
  int64_t PurgeRecordings(int64_t waitingSince, const std::string& reason) override;
  void Announce(const std::string& member, bool serves, int verifiers) override;
  void Withdraw(const std::string& member) override;
  LiveCount Live(int64_t withinSeconds) override;
  int64_t Changes() override;
  std::optional<std::string> ProvenRecording(int64_t id) override;

 protected:
  explicit SqlScoreStore(std::unique_ptr<SqlDatabase> database)
      : database_(std::move(database)), dialect_(database_->Dialect()) {}
  // Brings an older schema up to this build's, or makes it; throws for a newer one.
  void Upgrade();
  SqlDatabase& database() { return *database_; }

 private:
  std::unique_ptr<SqlSession> Open() { return database_->Open(); }
  // `sql` with the dialect's spellings ({now}, {skip locked} and the column types).
  std::string Spell(std::string_view sql) const;
  // Claims the oldest free recording that meets `condition` (on the recording as r).
  std::optional<WaitingRecording> Claim(const std::string& holder, int64_t leaseSeconds,
                                        std::string_view condition);
  std::unique_ptr<SqlDatabase> database_;
  const SqlDialect& dialect_;
};

}  // namespace brinecast::scores
