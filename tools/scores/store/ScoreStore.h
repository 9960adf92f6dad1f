// Where the server keeps its scores, the tokens already used, banned names, its secret, and
// the recordings sent to prove scores: one small interface, with SQLite and PostgreSQL behind it.
// Failures of the database throw std::runtime_error.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brinecast::scores {

// The schema this build writes; older ones are upgraded when opened.
inline constexpr int kSchemaVersion = 5;

struct ScoreEntry {
  std::string name;  // UTF-8
  int64_t score = 0;
  std::string text;  // UTF-8
  int64_t time = 0;  // seconds since 1970
  std::string address;
  bool proven = false;  // its recording replayed to this very score, name and note
};

struct StoredScore {
  int64_t id = 0;
  ScoreEntry entry;
};

// What a submission must satisfy, checked and recorded in one step.
struct SubmitRules {
  std::string limitKey;      // the client's address or IPv6 /64
  int perMinute = 10;        // scores from one key within the last minute
  int64_t maxScores = 0;     // the table keeps this many best scores
  int64_t tokenExpires = 0;  // the used token is remembered until then
  int64_t uploadUntil = 0;   // the game's recording may be sent with the token until then
};

enum class SubmitOutcome { kStored, kTokenUsed, kTooMany, kBelowTable, kBanned };

enum class UploadOutcome {
  kStored,        // kept, waiting to be verified
  kUnknownToken,  // no stored score was sent with this token (or its score is gone)
  kExpired,       // the time to send it has passed
  kAlreadySent,   // the score has its recording already
};

struct UploadResult {
  UploadOutcome outcome = UploadOutcome::kUnknownToken;
  int64_t id = 0;  // of the score
};

// A recording waiting for its verdict, with what its score claims.
struct WaitingRecording {
  int64_t id = 0;
  ScoreEntry entry;
  std::string bytes;
  std::string digest;  // of the bytes; empty for a recording kept before digests were
};

// What verifying a recording found.
struct RecordingVerdict {
  bool proven = false;
  std::string reason;  // why not, or what proved it
  std::string game;    // names the replayed game when proven: one game proves one score
  // Whether a replay ended (or stood in for one) so the same bytes need not be replayed
  // again, and the report it gave when it gave a readable one.
  bool replayed = false;
  std::string report = {};
};

// What saving a verdict came to.
struct SavedVerdict {
  bool saved = false;  // not when the recording had its verdict already, or its score is gone
  bool proven = false;
  std::string reason;  // as stored: the verdict's, or why a proof did not count
};

// The processes on the database that announced themselves lately.
struct LiveCount {
  int64_t servers = 0;    // answering HTTP
  int64_t verifiers = 0;  // worker threads verifying recordings, over every process
};

class StoreBackup;

class ScoreStore {
 public:
  virtual ~ScoreStore() = default;

  // Stores `entry` unless the token was used before, the key has sent its share this minute,
  // the name is banned, or the table is full and the score would not be among its best; a
  // score that enters the best pushes out the worst. Nothing is changed unless it is stored.
  virtual SubmitOutcome Submit(const std::string& token, const SubmitRules& rules,
                               const ScoreEntry& entry) = 0;
  virtual int64_t CountScores() = 0;
  // Best first; among equal scores the earlier one first.
  virtual std::vector<ScoreEntry> Top(int limit) = 0;
  // The signing secret, made and kept on first use; every server on one database shares it.
  virtual std::string Secret() = 0;
  virtual int SchemaVersion() = 0;
  // Throws when the database does not answer.
  virtual void Ping() = 0;

  // For the admin commands: best first, with ids.
  std::vector<StoredScore> List(int64_t limit) { return Ranked(limit, false); }
  // Best first, with ids; only proven scores when asked.
  virtual std::vector<StoredScore> Ranked(int64_t limit, bool provenOnly) = 0;
  // Removes the score and its recording.
  virtual bool Remove(int64_t id) = 0;
  // Bans the name as the table shows it (NameKey: case and spaces around it aside) and removes
  // its scores and their recordings; how many went.
  virtual int64_t Ban(const std::string& name) = 0;

  // Keeps a recording for the score whose submission used the token with this digest, when
  // it came before that score's upload time ran out and the score has none yet.
  // `sender` is the limit key of the address it came from.
  virtual UploadResult StoreRecording(const std::string& tokenDigest, int64_t now,
                                      const std::string& bytes, const std::string& sender) = 0;
  UploadResult StoreRecording(const std::string& tokenDigest, int64_t now,
                              const std::string& bytes) {
    return StoreRecording(tokenDigest, now, bytes, std::string());
  }
  // The recordings stored and not yet given a verdict, oldest first.
  virtual std::vector<int64_t> WaitingRecordings() = 0;
  // Nothing when the score is gone or its recording has its verdict.
  virtual std::optional<WaitingRecording> RecordingToVerify(int64_t id) = 0;
  // Records the verdict, and whether the score is proven: not when the same game already
  // proves another score (the verdict's reason then says so), nor when the score is gone.
  bool SaveVerdict(int64_t id, const RecordingVerdict& verdict) {
    return SaveFirstVerdict(id, verdict).proven;
  }
  // The same, saying whether this was the recording's first verdict: a recording is judged
  // once, whoever replays it.
  virtual SavedVerdict SaveFirstVerdict(int64_t id, const RecordingVerdict& verdict) = 0;

  // Recordings as jobs for the verifiers of every server on the database. A holder claims
  // the oldest waiting recording that nobody holds, or whose holder's lease ran out, for
  // `leaseSeconds` on the database's clock; nothing when none is free.
  virtual std::optional<WaitingRecording> ClaimRecording(const std::string& holder,
                                                         int64_t leaseSeconds) = 0;
  // The same, passing over a recording while an older one of the same bytes waits, so that
  // bytes sent for several scores are replayed once and the others judged by that replay.
  virtual std::optional<WaitingRecording> ClaimFirstOfItsBytes(const std::string& holder,
                                                               int64_t leaseSeconds) = 0;
  // A holder alive renews its leases; one that stops (killed, cut off) loses its claims.
  virtual void RenewClaims(const std::string& holder, int64_t leaseSeconds) = 0;
  // Gives back the holder's claims not yet judged, for another to take at once.
  virtual void ReleaseClaims(const std::string& holder) = 0;
  // Recordings waiting for a verdict, held or not.
  virtual int64_t CountWaiting() = 0;
  // Those of them sent from one limit key.
  virtual int64_t CountWaitingFrom(const std::string& sender) = 0;
  // The verdict a replay gave another recording of the same bytes; nothing when none was
  // replayed yet.
  virtual std::optional<RecordingVerdict> ReplayedBefore(const std::string& digest, int64_t id) = 0;
  // Drops what proves nothing: recordings received before `waitingSince` and still waiting
  // are refused for it, refused recordings lose their bytes (their verdict stays, so the
  // score takes no other), and recordings of scores gone go. How many were touched.
  virtual int64_t PurgeRecordings(int64_t waitingSince, const std::string& reason) = 0;

  // Every process on the database announces itself now and then, so each knows how many
  // share the work and the limits; one that stops announcing drops out of the count.
  virtual void Announce(const std::string& member, bool serves, int verifiers) = 0;
  virtual void Withdraw(const std::string& member) = 0;
  // Those that announced within the last `withinSeconds` on the database's clock.
  virtual LiveCount Live(int64_t withinSeconds) = 0;
  // Moves on with every change a world page shows (a score stored, proven or removed), by
  // whichever process on the database made it: cheap enough to ask often.
  virtual int64_t Changes() = 0;
  // A proven score's recording; nothing for any other.
  virtual std::optional<std::string> ProvenRecording(int64_t id) = 0;
  // The store's own way to copy itself while live; nothing for a store whose database is
  // backed up by its own tools.
  virtual StoreBackup* Backups() { return nullptr; }
};

class StoreBackup {
 public:
  virtual ~StoreBackup() = default;
  // A consistent copy of the live database in `path`.
  virtual void Backup(const std::string& path) = 0;
};

struct StoreSettings {
  std::string where;       // a SQLite file, or a postgresql:// URI
  std::string password;    // for PostgreSQL, when not in the environment's or libpq's files
  int timeoutSeconds = 5;  // connecting and each statement, PostgreSQL only
  int connections = 4;     // PostgreSQL pool size
};

// "postgresql://..." or "postgres://..." opens PostgreSQL; anything else is a SQLite file,
// created with its tables on first use.
std::unique_ptr<ScoreStore> OpenScoreStore(const StoreSettings& settings);
inline std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& where) {
  StoreSettings settings;
  settings.where = where;
  return OpenScoreStore(settings);
}

}  // namespace brinecast::scores
