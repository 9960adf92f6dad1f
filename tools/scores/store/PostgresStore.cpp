// PostgreSQL store: parameters sent as text; a submission is one transaction holding an
// advisory lock, so its checks and writes cannot interleave with another server's. A
// connection that failed or timed out is closed, and a fresh one opened when next needed.
#include "scores/store/PostgresStore.h"

#include <stdexcept>

#include "scores/store/TokenSigner.h"

namespace brinecast::scores {

namespace {

// Arbitrary numbers naming the server's advisory locks.
constexpr const char* kUpgradeLock = "SELECT pg_advisory_xact_lock(58130001)";
constexpr const char* kSubmitLock = "SELECT pg_advisory_xact_lock(58130002)";

// Recordings go as bytea in its hex form, since parameters are sent as text.
std::string ByteaParameter(const std::string& bytes) {
  constexpr std::string_view kDigits = "0123456789abcdef";
  std::string text = "\\x";
  text.reserve(2 + bytes.size() * 2);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += kDigits[byte >> 4U];
    text += kDigits[byte & 15U];
  }
  return text;
}

// What encode(data, 'hex') gave back.
std::string FromHex(const std::string& hex) {
  auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t i = 0; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
  }
  return bytes;
}

}  // namespace

// One pooled connection for a request: a transaction is rolled back when not committed, and
// a connection that failed goes back to nobody.
class PostgresStore::Session {
 public:
  explicit Session(PostgresStore& store)
      : store_(store), deadline_(store.Deadline()), conn_(store.Acquire(deadline_)) {}
  ~Session() {
    if (inTransaction_ && conn_->usable()) {
      try {
        Run("ROLLBACK");
      } catch (const std::exception&) {
      }
    }
    if (conn_->usable())
      store_.Release(std::move(conn_));
    else
      store_.Release(nullptr);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  PgResult Run(const char* sql, const std::vector<std::string>& params = {}) {
    return conn_->Run(sql, params, deadline_);
  }
  void Begin() {
    Run("BEGIN");
    inTransaction_ = true;
  }
  void Commit() {
    Run("COMMIT");
    inTransaction_ = false;
  }

 private:
  PostgresStore& store_;
  PgConnection::Deadline deadline_;
  std::unique_ptr<PgConnection> conn_;
  bool inTransaction_ = false;
};

PostgresStore::PostgresStore(const StoreSettings& settings)
    : timeout_(settings.timeoutSeconds), maxConnections_(std::max(1, settings.connections)) {
  settings_.emplace_back("dbname", settings.where);
  if (!settings.password.empty()) settings_.emplace_back("password", settings.password);
  try {
    Upgrade();
  } catch (const std::exception& e) {
    throw std::runtime_error(std::string("cannot use the PostgreSQL database: ") + e.what());
  }
}

PostgresStore::~PostgresStore() = default;

PgConnection::Deadline PostgresStore::Deadline() const {
  return std::chrono::steady_clock::now() + timeout_;
}

std::unique_ptr<PgConnection> PostgresStore::Acquire(PgConnection::Deadline deadline) {
  {
    std::unique_lock lock(mutex_);
    if (!freed_.wait_until(lock, deadline,
                           [this] { return !idle_.empty() || open_ < maxConnections_; })) {
      throw std::runtime_error("postgresql: every connection busy for too long");
    }
    if (!idle_.empty()) {
      std::unique_ptr<PgConnection> conn = std::move(idle_.back());
      idle_.pop_back();
      return conn;
    }
    ++open_;
  }
  try {
    auto conn = std::make_unique<PgConnection>(settings_, deadline);
    conn->Run("SET client_min_messages = warning", {}, deadline);
    return conn;
  } catch (...) {
    Release(nullptr);
    throw;
  }
}

void PostgresStore::Release(std::unique_ptr<PgConnection> connection) {
  {
    std::lock_guard lock(mutex_);
    if (connection)
      idle_.push_back(std::move(connection));
    else
      --open_;
  }
  freed_.notify_one();
}

void PostgresStore::Upgrade() {
  Session session(*this);
  session.Begin();
  session.Run(kUpgradeLock);
  const bool hasMeta = session.Run("SELECT to_regclass('meta') IS NOT NULL").Text(0, 0) == "t";
  const bool hasScores = session.Run("SELECT to_regclass('scores') IS NOT NULL").Text(0, 0) == "t";
  int64_t version = 0;
  if (hasMeta) {
    const PgResult row = session.Run("SELECT value FROM meta WHERE key = 'schema'");
    version = row.Rows() ? row.Int(0, 0) : 0;
  } else if (hasScores) {
    version = 1;
  }
  if (version > kSchemaVersion) {
    throw std::runtime_error("its schema version " + std::to_string(version) +
                             " is newer than this server's " + std::to_string(kSchemaVersion));
  }
  if (version == kSchemaVersion) return;
  if (version == 1) {
    session.Run("ALTER TABLE scores ADD COLUMN client TEXT NOT NULL DEFAULT ''");
    session.Run("UPDATE scores SET client = address");
    session.Run("DROP TABLE IF EXISTS tokens");
    session.Run("DROP INDEX IF EXISTS scores_by_address");
  }
  if (version == 1 || version == 2) {
    session.Run(
        "ALTER TABLE scores ADD COLUMN upload_token TEXT, "
        "ADD COLUMN upload_until BIGINT NOT NULL DEFAULT 0, "
        "ADD COLUMN proven BOOLEAN NOT NULL DEFAULT false");
  }
  session.Run("CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT NOT NULL)");
  session.Run(
      "CREATE TABLE IF NOT EXISTS scores(id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, "
      "score BIGINT NOT NULL, text TEXT NOT NULL, time BIGINT NOT NULL, address TEXT NOT NULL, "
      "client TEXT NOT NULL DEFAULT '', upload_token TEXT, upload_until BIGINT NOT NULL "
      "DEFAULT 0, proven BOOLEAN NOT NULL DEFAULT false)");
  session.Run("CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id)");
  session.Run("CREATE INDEX IF NOT EXISTS scores_by_upload_token ON scores(upload_token)");
  session.Run("CREATE INDEX IF NOT EXISTS scores_by_client ON scores(client, time)");
  session.Run("CREATE INDEX IF NOT EXISTS scores_by_name ON scores(name)");
  session.Run(
      "CREATE TABLE IF NOT EXISTS used_tokens(token TEXT PRIMARY KEY, expires BIGINT NOT NULL)");
  session.Run("CREATE INDEX IF NOT EXISTS used_tokens_by_expiry ON used_tokens(expires)");
  session.Run("CREATE TABLE IF NOT EXISTS banned(name TEXT PRIMARY KEY)");
  session.Run(
      "CREATE TABLE IF NOT EXISTS recordings(score_id BIGINT PRIMARY KEY, data BYTEA NOT NULL, "
      "received BIGINT NOT NULL, state TEXT NOT NULL DEFAULT 'waiting', "
      "reason TEXT NOT NULL DEFAULT '', game TEXT)");
  session.Run("CREATE INDEX IF NOT EXISTS recordings_by_state ON recordings(state, received)");
  session.Run(
      "CREATE UNIQUE INDEX IF NOT EXISTS recordings_by_game ON recordings(game) "
      "WHERE game IS NOT NULL");
  session.Run(
      "INSERT INTO meta(key, value) VALUES('schema', $1) "
      "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
      {std::to_string(kSchemaVersion)});
  session.Run(
      "INSERT INTO meta(key, value) SELECT 'score_count', COUNT(*)::text FROM scores "
      "ON CONFLICT(key) DO UPDATE SET value = excluded.value");
  session.Commit();
}

SubmitOutcome PostgresStore::Submit(const std::string& token, const SubmitRules& rules,
                                    const ScoreEntry& entry) {
  const std::string time = std::to_string(entry.time);
  Session session(*this);
  session.Begin();
  session.Run(kSubmitLock);
  session.Run("DELETE FROM used_tokens WHERE expires < $1", {time});
  if (session.Run("SELECT 1 FROM banned WHERE name = $1", {entry.name}).Rows() > 0) {
    return SubmitOutcome::kBanned;
  }
  if (session
          .Run("SELECT COUNT(*) FROM (SELECT 1 FROM scores WHERE client = $1 AND time > $2 "
               "LIMIT $3) AS recent",
               {rules.limitKey, std::to_string(entry.time - 60), std::to_string(rules.perMinute)})
          .Int(0, 0) >= rules.perMinute) {
    return SubmitOutcome::kTooMany;
  }
  if (session
          .Run("INSERT INTO used_tokens(token, expires) VALUES($1, $2) ON CONFLICT DO NOTHING "
               "RETURNING 1",
               {token, std::to_string(rules.tokenExpires)})
          .Rows() != 1) {
    return SubmitOutcome::kTokenUsed;
  }
  if (session.Run("SELECT value::bigint FROM meta WHERE key = 'score_count'").Int(0, 0) >=
      rules.maxScores) {
    const PgResult worst =
        session.Run("SELECT id, score FROM scores ORDER BY score, time DESC, id DESC LIMIT 1");
    if (worst.Rows() == 0 || entry.score <= worst.Int(0, 1)) return SubmitOutcome::kBelowTable;
    session.Run("DELETE FROM scores WHERE id = $1", {worst.Text(0, 0)});
    session.Run("DELETE FROM recordings WHERE score_id = $1", {worst.Text(0, 0)});
    session.Run("UPDATE meta SET value = (value::bigint - 1)::text WHERE key = 'score_count'");
  }
  session.Run(
      "INSERT INTO scores(name, score, text, time, address, client, upload_token, upload_until) "
      "VALUES($1, $2, $3, $4, $5, $6, $7, $8)",
      {entry.name, std::to_string(entry.score), entry.text, time, entry.address, rules.limitKey,
       TokenDigest(token), std::to_string(rules.uploadUntil)});
  session.Run("UPDATE meta SET value = (value::bigint + 1)::text WHERE key = 'score_count'");
  session.Commit();
  return SubmitOutcome::kStored;
}

int64_t PostgresStore::CountScores() {
  Session session(*this);
  return session.Run("SELECT value::bigint FROM meta WHERE key = 'score_count'").Int(0, 0);
}

std::vector<ScoreEntry> PostgresStore::Top(int limit) {
  std::vector<ScoreEntry> entries;
  for (StoredScore& stored : Ranked(limit, false)) entries.push_back(std::move(stored.entry));
  return entries;
}

std::vector<StoredScore> PostgresStore::Ranked(int64_t limit, bool provenOnly) {
  Session session(*this);
  const PgResult top = session.Run(
      "SELECT id, name, score, text, time, address, proven FROM scores "
      "WHERE proven OR NOT $2::boolean ORDER BY score DESC, time, id LIMIT $1",
      {std::to_string(limit), provenOnly ? "true" : "false"});
  std::vector<StoredScore> entries;
  for (int row = 0; row < top.Rows(); ++row) {
    entries.push_back({top.Int(row, 0),
                       {top.Text(row, 1), top.Int(row, 2), top.Text(row, 3), top.Int(row, 4),
                        top.Text(row, 5), top.Text(row, 6) == "t"}});
  }
  return entries;
}

std::string PostgresStore::Secret() {
  Session session(*this);
  session.Run("INSERT INTO meta(key, value) VALUES('secret', $1) ON CONFLICT DO NOTHING",
              {NewSecret()});
  return session.Run("SELECT value FROM meta WHERE key = 'secret'").Text(0, 0);
}

int PostgresStore::SchemaVersion() {
  Session session(*this);
  return static_cast<int>(session.Run("SELECT value FROM meta WHERE key = 'schema'").Int(0, 0));
}

void PostgresStore::Ping() {
  Session session(*this);
  session.Run("SELECT 1");
}

bool PostgresStore::Remove(int64_t id) {
  Session session(*this);
  session.Begin();
  session.Run(kSubmitLock);
  if (session.Run("DELETE FROM scores WHERE id = $1 RETURNING 1", {std::to_string(id)}).Rows() !=
      1) {
    return false;
  }
  session.Run("DELETE FROM recordings WHERE score_id = $1", {std::to_string(id)});
  session.Run("UPDATE meta SET value = (value::bigint - 1)::text WHERE key = 'score_count'");
  session.Commit();
  return true;
}

int64_t PostgresStore::Ban(const std::string& name) {
  Session session(*this);
  session.Begin();
  session.Run(kSubmitLock);
  session.Run("INSERT INTO banned(name) VALUES($1) ON CONFLICT DO NOTHING", {name});
  session.Run("DELETE FROM recordings WHERE score_id IN (SELECT id FROM scores WHERE name = $1)",
              {name});
  const int64_t removed =
      session.Run("DELETE FROM scores WHERE name = $1 RETURNING 1", {name}).Rows();
  session.Run("UPDATE meta SET value = (value::bigint - $1)::text WHERE key = 'score_count'",
              {std::to_string(removed)});
  session.Commit();
  return removed;
}

void PostgresStore::Backup(const std::string&) {
  throw std::runtime_error(
      "a PostgreSQL database is backed up with its own tools (pg_dump), not by this server");
}

UploadResult PostgresStore::StoreRecording(const std::string& tokenDigest, int64_t now,
                                           const std::string& bytes) {
  Session session(*this);
  session.Begin();
  session.Run(kSubmitLock);
  const PgResult row = session.Run(
      "SELECT id, upload_until FROM scores WHERE upload_token = $1 ORDER BY id DESC LIMIT 1",
      {tokenDigest});
  UploadResult result;
  if (row.Rows() == 0) return result;
  result.id = row.Int(0, 0);
  if (row.Int(0, 1) < now) {
    result.outcome = UploadOutcome::kExpired;
    return result;
  }
  const bool stored =
      session
          .Run(
              "INSERT INTO recordings(score_id, data, received) VALUES($1, $2::bytea, $3) "
              "ON CONFLICT DO NOTHING RETURNING 1",
              {std::to_string(result.id), ByteaParameter(bytes), std::to_string(now)})
          .Rows() == 1;
  result.outcome = stored ? UploadOutcome::kStored : UploadOutcome::kAlreadySent;
  if (stored) session.Commit();
  return result;
}

std::vector<int64_t> PostgresStore::WaitingRecordings() {
  Session session(*this);
  const PgResult waiting = session.Run(
      "SELECT score_id FROM recordings WHERE state = 'waiting' ORDER BY received, score_id");
  std::vector<int64_t> ids;
  for (int row = 0; row < waiting.Rows(); ++row) ids.push_back(waiting.Int(row, 0));
  return ids;
}

std::optional<WaitingRecording> PostgresStore::RecordingToVerify(int64_t id) {
  Session session(*this);
  const PgResult row = session.Run(
      "SELECT s.name, s.score, s.text, s.time, s.address, encode(r.data, 'hex') FROM recordings r "
      "JOIN scores s ON s.id = r.score_id WHERE r.score_id = $1 AND r.state = 'waiting'",
      {std::to_string(id)});
  if (row.Rows() == 0) return std::nullopt;
  return WaitingRecording{
      id,
      {row.Text(0, 0), row.Int(0, 1), row.Text(0, 2), row.Int(0, 3), row.Text(0, 4)},
      FromHex(row.Text(0, 5))};
}

bool PostgresStore::SaveVerdict(int64_t id, const RecordingVerdict& verdict) {
  const std::string key = std::to_string(id);
  Session session(*this);
  session.Begin();
  session.Run(kSubmitLock);
  if (session.Run("SELECT 1 FROM recordings WHERE score_id = $1 AND state = 'waiting'", {key})
          .Rows() == 0) {
    return false;
  }
  std::string reason = verdict.reason;
  bool proven = verdict.proven;
  if (proven) {
    const PgResult other = session.Run(
        "SELECT score_id FROM recordings WHERE game = $1 AND score_id <> $2", {verdict.game, key});
    if (other.Rows() > 0) {
      proven = false;
      reason = "the same game already proves score " + other.Text(0, 0);
    }
  }
  session.Run(
      "UPDATE recordings SET state = $1, reason = $2, game = NULLIF($3, '') WHERE score_id = $4",
      {proven ? "proven" : "unproven", reason, proven ? verdict.game : "", key});
  session.Run("UPDATE scores SET proven = $1 WHERE id = $2", {proven ? "true" : "false", key});
  session.Commit();
  return proven;
}

std::optional<std::string> PostgresStore::ProvenRecording(int64_t id) {
  Session session(*this);
  const PgResult row = session.Run(
      "SELECT encode(data, 'hex') FROM recordings WHERE score_id = $1 AND "
      "state = 'proven'",
      {std::to_string(id)});
  if (row.Rows() == 0) return std::nullopt;
  return FromHex(row.Text(0, 0));
}

}  // namespace brinecast::scores
