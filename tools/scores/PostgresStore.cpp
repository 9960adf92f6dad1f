// PostgreSQL store: parameters sent as text, one statement using a token and storing its
// score so the two happen together.
#include "scores/PostgresStore.h"

#include <libpq-fe.h>

#include <stdexcept>

namespace brinecast::scores {

struct PostgresStore::Result {
  PGresult* result = nullptr;
  explicit Result(PGresult* r) : result(r) {}
  ~Result() { PQclear(result); }
  Result(Result&& other) noexcept : result(other.result) { other.result = nullptr; }
  Result(const Result&) = delete;
  Result& operator=(const Result&) = delete;
  int Rows() const { return PQntuples(result); }
  std::string Text(int row, int column) const { return PQgetvalue(result, row, column); }
  int64_t Int(int row, int column) const { return std::stoll(Text(row, column)); }
};

PostgresStore::PostgresStore(const std::string& conninfo) {
  conn_ = PQconnectdb(conninfo.c_str());
  if (!conn_ || PQstatus(conn_) != CONNECTION_OK) {
    const std::string message = conn_ ? PQerrorMessage(conn_) : "out of memory";
    PQfinish(conn_);
    throw std::runtime_error("cannot connect to PostgreSQL: " + message);
  }
  try {
    Run("SET client_min_messages = warning", {});
    Run("CREATE TABLE IF NOT EXISTS tokens(token TEXT PRIMARY KEY, address TEXT NOT NULL, "
        "issued BIGINT NOT NULL)",
        {});
    Run("CREATE INDEX IF NOT EXISTS tokens_by_address ON tokens(address, issued)", {});
    Run("CREATE INDEX IF NOT EXISTS tokens_by_age ON tokens(issued)", {});
    Run("CREATE TABLE IF NOT EXISTS scores(id BIGSERIAL PRIMARY KEY, name TEXT NOT NULL, "
        "score BIGINT NOT NULL, text TEXT NOT NULL, time BIGINT NOT NULL, address TEXT NOT NULL)",
        {});
    Run("CREATE INDEX IF NOT EXISTS scores_by_rank ON scores(score DESC, time, id)", {});
    Run("CREATE INDEX IF NOT EXISTS scores_by_address ON scores(address, time)", {});
  } catch (...) {
    PQfinish(conn_);
    throw;
  }
}

PostgresStore::~PostgresStore() {
  PQfinish(conn_);
}

PostgresStore::Result PostgresStore::Run(const char* sql, const std::vector<std::string>& params) {
  std::vector<const char*> values;
  values.reserve(params.size());
  for (const std::string& p : params) values.push_back(p.c_str());
  Result result(PQexecParams(conn_, sql, static_cast<int>(values.size()), nullptr, values.data(),
                             nullptr, nullptr, 0));
  const ExecStatusType status = PQresultStatus(result.result);
  if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK) {
    // A dropped connection comes back once; the statement fails this time either way.
    if (PQstatus(conn_) == CONNECTION_BAD) PQreset(conn_);
    throw std::runtime_error(std::string("postgresql: ") + PQerrorMessage(conn_));
  }
  return result;
}

int64_t PostgresStore::Count(const char* sql, const std::vector<std::string>& params) {
  return Run(sql, params).Int(0, 0);
}

void PostgresStore::AddToken(const std::string& token, const std::string& address, int64_t issued) {
  std::lock_guard lock(mutex_);
  Run("INSERT INTO tokens(token, address, issued) VALUES($1, $2, $3)",
      {token, address, std::to_string(issued)});
}

void PostgresStore::DropTokensIssuedBefore(int64_t issued) {
  std::lock_guard lock(mutex_);
  Run("DELETE FROM tokens WHERE issued < $1", {std::to_string(issued)});
}

int64_t PostgresStore::CountTokens() {
  std::lock_guard lock(mutex_);
  return Count("SELECT COUNT(*) FROM tokens", {});
}

int64_t PostgresStore::CountTokensSince(const std::string& address, int64_t since) {
  std::lock_guard lock(mutex_);
  return Count("SELECT COUNT(*) FROM tokens WHERE address = $1 AND issued >= $2",
               {address, std::to_string(since)});
}

bool PostgresStore::StoreWithToken(const std::string& token, int64_t issuedSince,
                                   const ScoreEntry& entry) {
  std::lock_guard lock(mutex_);
  const Result stored =
      Run("WITH used AS (DELETE FROM tokens WHERE token = $1 AND issued >= $2 RETURNING token) "
          "INSERT INTO scores(name, score, text, time, address) "
          "SELECT $3, $4, $5, $6, $7 FROM used RETURNING id",
          {token, std::to_string(issuedSince), entry.name, std::to_string(entry.score), entry.text,
           std::to_string(entry.time), entry.address});
  return stored.Rows() == 1;
}

int64_t PostgresStore::CountScores() {
  std::lock_guard lock(mutex_);
  return Count("SELECT COUNT(*) FROM scores", {});
}

int64_t PostgresStore::CountScoresSince(const std::string& address, int64_t since) {
  std::lock_guard lock(mutex_);
  return Count("SELECT COUNT(*) FROM scores WHERE address = $1 AND time >= $2",
               {address, std::to_string(since)});
}

std::vector<ScoreEntry> PostgresStore::Top(int limit) {
  std::lock_guard lock(mutex_);
  const Result top =
      Run("SELECT name, score, text, time, address FROM scores ORDER BY score DESC, time, id "
          "LIMIT $1",
          {std::to_string(limit)});
  std::vector<ScoreEntry> entries;
  for (int row = 0; row < top.Rows(); ++row) {
    entries.push_back(
        {top.Text(row, 0), top.Int(row, 1), top.Text(row, 2), top.Int(row, 3), top.Text(row, 4)});
  }
  return entries;
}

}  // namespace brinecast::scores
