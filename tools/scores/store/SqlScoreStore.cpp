// Every rule once: a submission is one write transaction holding the store's write lock, so
// its checks and its writes cannot interleave with another's, in this process or another
// server's. The count of scores is kept in the meta table beside them.
#include "scores/store/SqlScoreStore.h"

#include <stdexcept>

#include "scores/store/NameKey.h"
#include "scores/store/TokenSigner.h"

namespace brinecast::scores {

namespace {

// The tables as this build keeps them; {name} is spelt by the dialect.
constexpr std::string_view kSchema[] = {
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value {value} NOT NULL)",
    "CREATE TABLE IF NOT EXISTS scores(id {id}, name TEXT NOT NULL, score {int} NOT NULL, "
    "text TEXT NOT NULL, time {int} NOT NULL, address TEXT NOT NULL, client TEXT NOT NULL "
    "DEFAULT '', upload_token TEXT, upload_until {int} NOT NULL DEFAULT 0, proven {bool} NOT "
    "NULL DEFAULT {false})",
    "CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id)",
    "CREATE INDEX IF NOT EXISTS scores_by_upload_token ON scores(upload_token)",
    "CREATE INDEX IF NOT EXISTS scores_by_client ON scores(client, time)",
    "CREATE INDEX IF NOT EXISTS scores_by_name ON scores(name)",
    "CREATE TABLE IF NOT EXISTS used_tokens(token TEXT PRIMARY KEY, expires {int} NOT NULL)",
    "CREATE INDEX IF NOT EXISTS used_tokens_by_expiry ON used_tokens(expires)",
    "CREATE TABLE IF NOT EXISTS banned(name TEXT PRIMARY KEY)",
    "CREATE TABLE IF NOT EXISTS recordings(score_id {int} PRIMARY KEY, data {bytes} NOT NULL, "
    "received {int} NOT NULL, state TEXT NOT NULL DEFAULT 'waiting', reason TEXT NOT NULL "
    "DEFAULT '', game TEXT, claimed_by TEXT, lease_until {int} NOT NULL DEFAULT 0, sender TEXT NOT "
    "NULL DEFAULT '', digest TEXT NOT NULL DEFAULT '', replayed {bool} NOT NULL DEFAULT "
    "{false}, report TEXT NOT NULL DEFAULT '')",
    "CREATE INDEX IF NOT EXISTS recordings_by_state ON recordings(state, received)",
    "CREATE INDEX IF NOT EXISTS recordings_by_sender ON recordings(sender, state)",
    "CREATE INDEX IF NOT EXISTS recordings_by_digest ON recordings(digest, state)",
    "CREATE UNIQUE INDEX IF NOT EXISTS recordings_by_game ON recordings(game) "
    "WHERE game IS NOT NULL",
    "INSERT INTO meta(key, value) VALUES('changes', '0') ON CONFLICT DO NOTHING",
    "CREATE TABLE IF NOT EXISTS members(name TEXT PRIMARY KEY, serves {bool} NOT NULL, "
    "verifiers {int} NOT NULL, seen {int} NOT NULL)",
};

// Version 1 had a table of issued tokens and no meta table; version 2 signs tokens, keeps the
// used ones, banned names, the secret and the count, and a limit key per score; version 3
// keeps recordings and which scores they prove; version 4 keeps bans as name keys; version 5
// lets verifiers claim recordings with a lease, keeps the processes on the database, and
// whom each recording came from and a digest of its bytes with what their replay said.
constexpr std::string_view kFromVersion1[] = {
    "ALTER TABLE scores ADD COLUMN client TEXT NOT NULL DEFAULT ''",
    "UPDATE scores SET client = address",
    "DROP TABLE IF EXISTS tokens",
    "DROP INDEX IF EXISTS scores_by_address",
};
constexpr std::string_view kFromVersion2[] = {
    "ALTER TABLE scores ADD COLUMN upload_token TEXT",
    "ALTER TABLE scores ADD COLUMN upload_until {int} NOT NULL DEFAULT 0",
    "ALTER TABLE scores ADD COLUMN proven {bool} NOT NULL DEFAULT {false}",
};

// Columns added since version 4, each added where it is missing.
struct AddedColumn {
  std::string_view table;
  std::string_view column;
  std::string_view type;
};
constexpr AddedColumn kSinceVersion4[] = {
    {"recordings", "claimed_by", "TEXT"},
    {"recordings", "lease_until", "{int} NOT NULL DEFAULT 0"},
    {"recordings", "sender", "TEXT NOT NULL DEFAULT ''"},
    {"recordings", "digest", "TEXT NOT NULL DEFAULT ''"},
    {"recordings", "replayed", "{bool} NOT NULL DEFAULT {false}"},
    {"recordings", "report", "TEXT NOT NULL DEFAULT ''"},
};

std::string Spelt(std::string_view sql, const SqlDialect& dialect) {
  const std::pair<std::string_view, std::string_view> words[] = {
      {"{id}", dialect.idType},       {"{int}", dialect.integerType},
      {"{bool}", dialect.boolType},   {"{false}", dialect.falseValue},
      {"{bytes}", dialect.bytesType}, {"{value}", dialect.valueType},
      {"{now}", dialect.nowSeconds},  {"{skip locked}", dialect.skipLocked}};
  std::string out(sql);
  for (const auto& [word, spelling] : words) {
    for (size_t at = out.find(word); at != std::string::npos; at = out.find(word, at)) {
      out.replace(at, word.size(), spelling);
      at += spelling.size();
    }
  }
  return out;
}

int64_t MetaInt(SqlSession& session, const std::string& key) {
  const SqlRows row = session.Run("SELECT value FROM meta WHERE key = ?", {key});
  return row.Count() ? row.Int(0, 0) : 0;
}

void AddToCount(SqlSession& session, int64_t change) {
  session.Run("UPDATE meta SET value = CAST(value AS BIGINT) + ? WHERE key = 'score_count'",
              {change});
}

// Every server's world page is made again when this moves on.
void CountChange(SqlSession& session) {
  session.Run("UPDATE meta SET value = CAST(value AS BIGINT) + 1 WHERE key = 'changes'");
}

// Bans kept before version 4 were exact names; they are kept as their keys from then on.
void KeyBannedNames(SqlSession& session) {
  const SqlRows names = session.Run("SELECT name FROM banned");
  session.Run("DELETE FROM banned");
  for (int row = 0; row < names.Count(); ++row) {
    session.Run("INSERT INTO banned(name) VALUES(?) ON CONFLICT DO NOTHING",
                {NameKey(names.Text(row, 0))});
  }
}

// A score's recording goes with it.
void ForgetRecording(SqlSession& session, int64_t id) {
  session.Run("DELETE FROM recordings WHERE score_id = ?", {id});
}

// A recording without its verdict, with what its score claims.
std::optional<WaitingRecording> ReadWaiting(SqlSession& session, int64_t id) {
  const SqlRows row = session.Run(
      "SELECT s.name, s.score, s.text, s.time, s.address, r.data, r.digest FROM recordings r "
      "JOIN scores s ON s.id = r.score_id WHERE r.score_id = ? AND r.state = 'waiting'",
      {id});
  if (row.Count() == 0) return std::nullopt;
  return WaitingRecording{
      id,
      {row.Text(0, 0), row.Int(0, 1), row.Text(0, 2), row.Int(0, 3), row.Text(0, 4)},
      row.Text(0, 5),
      row.Text(0, 6)};
}

}  // namespace

void SqlScoreStore::Upgrade() {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.upgradeLock);
  auto exists = [&](const std::string& table) {
    return session->Run(dialect_.tableExists, {table}).Count() > 0;
  };
  const int64_t version = exists("meta") ? MetaInt(*session, "schema") : exists("scores") ? 1 : 0;
  if (version > kSchemaVersion) {
    throw std::runtime_error("its schema version " + std::to_string(version) +
                             " is newer than this server's " + std::to_string(kSchemaVersion));
  }
  if (version == kSchemaVersion) return;
  if (version == 1) {
    for (std::string_view step : kFromVersion1) session->Run(Spelt(step, dialect_));
  }
  if (version == 1 || version == 2) {
    for (std::string_view step : kFromVersion2) session->Run(Spelt(step, dialect_));
  }
  if (version == 2 || version == 3) KeyBannedNames(*session);
  for (const AddedColumn& added : kSinceVersion4) {
    const std::string table(added.table), column(added.column);
    if (!exists(table) || session->Run(dialect_.columnExists, {table, column}).Count() > 0) {
      continue;
    }
    session->Run(
        Spelt("ALTER TABLE " + table + " ADD COLUMN " + column + " " + std::string(added.type),
              dialect_));
  }
  for (std::string_view table : kSchema) session->Run(Spelt(table, dialect_));
  session->Run(
      "INSERT INTO meta(key, value) VALUES('schema', ?) "
      "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
      {int64_t{kSchemaVersion}});
  const int64_t count = session->Run("SELECT COUNT(*) FROM scores").Int(0, 0);
  session->Run(
      "INSERT INTO meta(key, value) VALUES('score_count', ?) "
      "ON CONFLICT(key) DO UPDATE SET value = excluded.value",
      {count});
  session->Commit();
}

SubmitOutcome SqlScoreStore::Submit(const std::string& token, const SubmitRules& rules,
                                    const ScoreEntry& entry) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  session->Run("DELETE FROM used_tokens WHERE expires < ?", {entry.time});
  if (session->Run("SELECT 1 FROM banned WHERE name = ?", {NameKey(entry.name)}).Count() > 0) {
    return SubmitOutcome::kBanned;
  }
  // Counting stops at the limit, so a busy client costs no more than a quiet one.
  const SqlRows recent = session->Run(
      "SELECT COUNT(*) FROM (SELECT 1 FROM scores WHERE client = ? AND time > ? LIMIT ?) AS "
      "recent",
      {rules.limitKey, entry.time - 60, int64_t{rules.perMinute}});
  if (recent.Int(0, 0) >= rules.perMinute) return SubmitOutcome::kTooMany;
  if (session
          ->Run("INSERT INTO used_tokens(token, expires) VALUES(?, ?) ON CONFLICT DO NOTHING "
                "RETURNING 1",
                {token, rules.tokenExpires})
          .Count() != 1) {
    return SubmitOutcome::kTokenUsed;
  }
  if (MetaInt(*session, "score_count") >= rules.maxScores) {
    // The newest of the lowest goes first; the new score, newest of all, must beat it.
    const SqlRows worst =
        session->Run("SELECT id, score FROM scores ORDER BY score, time DESC, id DESC LIMIT 1");
    if (worst.Count() == 0 || entry.score <= worst.Int(0, 1)) return SubmitOutcome::kBelowTable;
    session->Run("DELETE FROM scores WHERE id = ?", {worst.Int(0, 0)});
    ForgetRecording(*session, worst.Int(0, 0));
    AddToCount(*session, -1);
  }
  session->Run(
      "INSERT INTO scores(name, score, text, time, address, client, upload_token, upload_until) "
      "VALUES(?, ?, ?, ?, ?, ?, ?, ?)",
      {entry.name, entry.score, entry.text, entry.time, entry.address, rules.limitKey,
       TokenDigest(token), rules.uploadUntil});
  AddToCount(*session, 1);
  CountChange(*session);
  session->Commit();
  return SubmitOutcome::kStored;
}

int64_t SqlScoreStore::CountScores() {
  return MetaInt(*Open(), "score_count");
}

std::vector<ScoreEntry> SqlScoreStore::Top(int limit) {
  std::vector<ScoreEntry> entries;
  for (StoredScore& stored : Ranked(limit, false)) entries.push_back(std::move(stored.entry));
  return entries;
}

std::vector<StoredScore> SqlScoreStore::Ranked(int64_t limit, bool provenOnly) {
  const SqlRows top = Open()->Run(
      "SELECT id, name, score, text, time, address, proven FROM scores "
      "WHERE proven OR NOT ? ORDER BY score DESC, time, id LIMIT ?",
      {provenOnly, limit});
  std::vector<StoredScore> entries;
  for (int row = 0; row < top.Count(); ++row) {
    entries.push_back({top.Int(row, 0),
                       {top.Text(row, 1), top.Int(row, 2), top.Text(row, 3), top.Int(row, 4),
                        top.Text(row, 5), top.Bool(row, 6)}});
  }
  return entries;
}

std::string SqlScoreStore::Secret() {
  const std::unique_ptr<SqlSession> session = Open();
  session->Run("INSERT INTO meta(key, value) VALUES('secret', ?) ON CONFLICT DO NOTHING",
               {NewSecret()});
  return session->Run("SELECT value FROM meta WHERE key = 'secret'").Text(0, 0);
}

int SqlScoreStore::SchemaVersion() {
  return static_cast<int>(MetaInt(*Open(), "schema"));
}

void SqlScoreStore::Ping() {
  Open()->Run("SELECT 1");
}

bool SqlScoreStore::Remove(int64_t id) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  if (session->Run("DELETE FROM scores WHERE id = ? RETURNING 1", {id}).Count() != 1) return false;
  ForgetRecording(*session, id);
  AddToCount(*session, -1);
  CountChange(*session);
  session->Commit();
  return true;
}

int64_t SqlScoreStore::Ban(const std::string& name) {
  const std::string key = NameKey(name);
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  session->Run("INSERT INTO banned(name) VALUES(?) ON CONFLICT DO NOTHING", {key});
  // The databases fold case differently (and by locale), so names are compared here; a ban is
  // rare enough to read every name once.
  const SqlRows names = session->Run("SELECT id, name FROM scores");
  int64_t removed = 0;
  for (int row = 0; row < names.Count(); ++row) {
    if (NameKey(names.Text(row, 1)) != key) continue;
    session->Run("DELETE FROM scores WHERE id = ?", {names.Int(row, 0)});
    ForgetRecording(*session, names.Int(row, 0));
    ++removed;
  }
  AddToCount(*session, -removed);
  CountChange(*session);
  session->Commit();
  return removed;
}

UploadResult SqlScoreStore::StoreRecording(const std::string& tokenDigest, int64_t now,
                                           const std::string& bytes, const std::string& sender) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  const SqlRows row = session->Run(
      "SELECT id, upload_until FROM scores WHERE upload_token = ? ORDER BY id DESC LIMIT 1",
      {tokenDigest});
  UploadResult result;
  if (row.Count() == 0) return result;
  result.id = row.Int(0, 0);
  if (row.Int(0, 1) < now) {
    result.outcome = UploadOutcome::kExpired;
    return result;
  }
  const bool stored = session
                          ->Run(
                              "INSERT INTO recordings(score_id, data, received, sender, digest) "
                              "VALUES(?, ?, ?, ?, ?) ON CONFLICT DO NOTHING RETURNING 1",
                              {result.id, SqlBytes{bytes}, now, sender, TokenDigest(bytes)})
                          .Count() == 1;
  result.outcome = stored ? UploadOutcome::kStored : UploadOutcome::kAlreadySent;
  if (stored) session->Commit();
  return result;
}

std::vector<int64_t> SqlScoreStore::WaitingRecordings() {
  const SqlRows waiting = Open()->Run(
      "SELECT score_id FROM recordings WHERE state = 'waiting' ORDER BY received, score_id");
  std::vector<int64_t> ids;
  for (int row = 0; row < waiting.Count(); ++row) ids.push_back(waiting.Int(row, 0));
  return ids;
}

std::optional<WaitingRecording> SqlScoreStore::RecordingToVerify(int64_t id) {
  return ReadWaiting(*Open(), id);
}

std::string SqlScoreStore::Spell(std::string_view sql) const {
  return Spelt(sql, dialect_);
}

SavedVerdict SqlScoreStore::SaveFirstVerdict(int64_t id, const RecordingVerdict& verdict) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  if (session->Run("SELECT 1 FROM recordings WHERE score_id = ? AND state = 'waiting'", {id})
          .Count() == 0) {
    return {};
  }
  std::string reason = verdict.reason;
  bool proven = verdict.proven;
  if (proven) {
    const SqlRows other = session->Run(
        "SELECT score_id FROM recordings WHERE game = ? AND score_id <> ?", {verdict.game, id});
    if (other.Count() > 0) {
      proven = false;
      reason = "the same game already proves score " + other.Text(0, 0);
    }
  }
  session->Run(
      "UPDATE recordings SET state = ?, reason = ?, game = NULLIF(?, ''), replayed = ?, report = ? "
      "WHERE score_id = ?",
      {std::string(proven ? "proven" : "unproven"), reason, proven ? verdict.game : std::string(),
       verdict.replayed, verdict.report, id});
  session->Run("UPDATE scores SET proven = ? WHERE id = ?", {proven, id});
  if (proven) CountChange(*session);
  session->Commit();
  return {true, proven, reason};
}

std::optional<WaitingRecording> SqlScoreStore::ClaimRecording(const std::string& holder,
                                                              int64_t leaseSeconds) {
  return Claim(holder, leaseSeconds, "");
}

std::optional<WaitingRecording> SqlScoreStore::ClaimFirstOfItsBytes(const std::string& holder,
                                                                    int64_t leaseSeconds) {
  return Claim(holder, leaseSeconds,
               " AND NOT EXISTS (SELECT 1 FROM recordings o WHERE o.digest = r.digest AND "
               "o.digest <> '' AND o.state = 'waiting' AND o.score_id < r.score_id)");
}

std::optional<WaitingRecording> SqlScoreStore::Claim(const std::string& holder,
                                                     int64_t leaseSeconds,
                                                     std::string_view condition) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, "");
  const SqlRows claimed = session->Run(
      Spell("UPDATE recordings SET claimed_by = ?, lease_until = {now} + ? WHERE score_id = "
            "(SELECT score_id FROM recordings r WHERE state = 'waiting' AND lease_until < {now}" +
            std::string(condition) +
            " ORDER BY received, score_id LIMIT 1{skip locked}) RETURNING score_id"),
      {holder, leaseSeconds});
  if (claimed.Count() == 0) return std::nullopt;
  std::optional<WaitingRecording> waiting = ReadWaiting(*session, claimed.Int(0, 0));
  session->Commit();
  return waiting;
}

void SqlScoreStore::RenewClaims(const std::string& holder, int64_t leaseSeconds) {
  Open()->Run(Spell("UPDATE recordings SET lease_until = {now} + ? "
                    "WHERE claimed_by = ? AND state = 'waiting'"),
              {leaseSeconds, holder});
}

void SqlScoreStore::ReleaseClaims(const std::string& holder) {
  Open()->Run(
      "UPDATE recordings SET claimed_by = NULL, lease_until = 0 "
      "WHERE claimed_by = ? AND state = 'waiting'",
      {holder});
}

int64_t SqlScoreStore::CountWaiting() {
  return Open()->Run("SELECT COUNT(*) FROM recordings WHERE state = 'waiting'").Int(0, 0);
}

int64_t SqlScoreStore::CountWaitingFrom(const std::string& sender) {
  return Open()
      ->Run("SELECT COUNT(*) FROM recordings WHERE sender = ? AND state = 'waiting'", {sender})
      .Int(0, 0);
}

std::optional<RecordingVerdict> SqlScoreStore::ReplayedBefore(const std::string& digest,
                                                              int64_t id) {
  if (digest.empty()) return std::nullopt;
  const SqlRows row = Open()->Run(
      "SELECT score_id, state, reason, report FROM recordings WHERE digest = ? AND "
      "state <> 'waiting' AND replayed AND score_id <> ? ORDER BY score_id LIMIT 1",
      {digest, id});
  if (row.Count() == 0) return std::nullopt;
  RecordingVerdict verdict;
  verdict.proven = row.Text(0, 1) == "proven";
  verdict.reason = row.Text(0, 2);
  verdict.replayed = true;
  verdict.report = row.Text(0, 3);
  return verdict;
}

std::optional<std::string> SqlScoreStore::ProvenRecording(int64_t id) {
  const SqlRows row =
      Open()->Run("SELECT data FROM recordings WHERE score_id = ? AND state = 'proven'", {id});
  if (row.Count() == 0) return std::nullopt;
  return row.Text(0, 0);
}

int64_t SqlScoreStore::PurgeRecordings(int64_t waitingSince, const std::string& reason) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Begin(dialect_, dialect_.writeLock);
  int64_t touched = session
                        ->Run(
                            "UPDATE recordings SET state = 'unproven', reason = ?, claimed_by = "
                            "NULL, data = ? WHERE state = 'waiting' AND received < ? RETURNING 1",
                            {reason, SqlBytes{}, waitingSince})
                        .Count();
  touched += session
                 ->Run(
                     "UPDATE recordings SET data = ? WHERE state = 'unproven' AND "
                     "LENGTH(data) > 0 RETURNING 1",
                     {SqlBytes{}})
                 .Count();
  touched += session
                 ->Run(
                     "DELETE FROM recordings WHERE NOT EXISTS "
                     "(SELECT 1 FROM scores WHERE scores.id = recordings.score_id) RETURNING 1")
                 .Count();
  session->Commit();
  return touched;
}

void SqlScoreStore::Announce(const std::string& member, bool serves, int verifiers) {
  const std::unique_ptr<SqlSession> session = Open();
  session->Run(Spell("INSERT INTO members(name, serves, verifiers, seen) VALUES(?, ?, ?, {now}) "
                     "ON CONFLICT(name) DO UPDATE SET serves = excluded.serves, "
                     "verifiers = excluded.verifiers, seen = excluded.seen"),
               {member, serves, int64_t{verifiers}});
  // Those killed without a word are forgotten after a day.
  session->Run(Spell("DELETE FROM members WHERE seen < {now} - 86400"));
}

void SqlScoreStore::Withdraw(const std::string& member) {
  Open()->Run("DELETE FROM members WHERE name = ?", {member});
}

LiveCount SqlScoreStore::Live(int64_t withinSeconds) {
  const SqlRows row =
      Open()->Run(Spell("SELECT COALESCE(SUM(CASE WHEN serves THEN 1 ELSE 0 END), 0), "
                        "COALESCE(SUM(verifiers), 0) FROM members WHERE seen >= {now} - ?"),
                  {withinSeconds});
  return {row.Int(0, 0), row.Int(0, 1)};
}

int64_t SqlScoreStore::Changes() {
  return MetaInt(*Open(), "changes");
}

}  // namespace brinecast::scores
