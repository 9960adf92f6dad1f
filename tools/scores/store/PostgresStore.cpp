// PostgreSQL: parameters sent as text, bytes in bytea's hex form; a write is one transaction
// holding an advisory lock, so its checks and writes cannot interleave with another
// server's. A connection that failed or timed out is closed, and a fresh one opened when
// next needed.
#include "scores/store/PostgresStore.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>

#include "scores/store/PgConnection.h"

namespace brinecast::scores {

namespace {

// The advisory locks are named by arbitrary numbers.
constexpr SqlDialect kPostgres = {
    .numberedPlaceholders = true,
    .begin = "BEGIN",
    .writeLock = "SELECT pg_advisory_xact_lock(58130002)",
    .upgradeLock = "SELECT pg_advisory_xact_lock(58130001)",
    .tableExists = "SELECT 1 WHERE to_regclass(?) IS NOT NULL",
    .columnExists =
        "SELECT 1 FROM information_schema.columns WHERE table_schema = current_schema() "
        "AND table_name = ? AND column_name = ?",
    .skipLocked = " FOR UPDATE SKIP LOCKED",
    .nowSeconds = "CAST(EXTRACT(EPOCH FROM clock_timestamp()) AS BIGINT)",
    .idType = "BIGSERIAL PRIMARY KEY",
    .integerType = "BIGINT",
    .boolType = "BOOLEAN",
    .falseValue = "false",
    .bytesType = "BYTEA",
    .valueType = "TEXT",
};

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

// What a bytea column gives back as text: \x and its hex digits.
std::string FromHex(const std::string& hex) {
  auto digit = [](char c) { return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10; };
  std::string bytes;
  bytes.reserve(hex.size() / 2);
  for (size_t i = 2; i + 1 < hex.size(); i += 2) {
    bytes += static_cast<char>(digit(hex[i]) * 16 + digit(hex[i + 1]));
  }
  return bytes;
}

}  // namespace

// The connections, opened as needed up to the pool's size.
class PostgresStore::Pool : public SqlDatabase {
 public:
  explicit Pool(const StoreSettings& settings)
      : timeout_(settings.timeoutSeconds), maxConnections_(std::max(1, settings.connections)) {
    settings_.emplace_back("dbname", settings.where);
    if (!settings.password.empty()) settings_.emplace_back("password", settings.password);
  }

  std::unique_ptr<SqlSession> Open() override;
  const SqlDialect& Dialect() const override { return kPostgres; }

  PgConnection::Deadline Deadline() const { return std::chrono::steady_clock::now() + timeout_; }

  std::unique_ptr<PgConnection> Acquire(PgConnection::Deadline deadline) {
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

  // A connection that failed goes back to nobody.
  void Release(std::unique_ptr<PgConnection> connection) {
    {
      std::lock_guard lock(mutex_);
      if (connection)
        idle_.push_back(std::move(connection));
      else
        --open_;
    }
    freed_.notify_one();
  }

 private:
  std::vector<std::pair<std::string, std::string>> settings_;
  std::chrono::seconds timeout_;
  int maxConnections_;
  std::mutex mutex_;
  std::condition_variable freed_;
  std::vector<std::unique_ptr<PgConnection>> idle_;
  int open_ = 0;
};

// One pooled connection for a request, every statement of it within one deadline.
class PostgresStore::Session : public SqlSession {
 public:
  explicit Session(Pool& pool)
      : pool_(pool), deadline_(pool.Deadline()), conn_(pool.Acquire(deadline_)) {}
  ~Session() override {
    if (conn_->usable()) RollBackIfOpen();
    pool_.Release(conn_->usable() ? std::move(conn_) : nullptr);
  }
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  SqlRows Run(std::string_view sql, const std::vector<SqlValue>& parameters) override {
    std::vector<std::string> texts;
    for (const SqlValue& value : parameters) {
      if (const auto* number = std::get_if<int64_t>(&value))
        texts.push_back(std::to_string(*number));
      if (const auto* text = std::get_if<std::string>(&value)) texts.push_back(*text);
      if (const auto* bytes = std::get_if<SqlBytes>(&value))
        texts.push_back(ByteaParameter(bytes->bytes));
      if (const auto* truth = std::get_if<bool>(&value)) texts.push_back(*truth ? "true" : "false");
    }
    const std::string statement =
        kPostgres.numberedPlaceholders ? NumberPlaceholders(sql) : std::string(sql);
    const PgResult result = conn_->Run(statement.c_str(), texts, deadline_);
    SqlRows rows;
    for (int row = 0; row < result.Rows(); ++row) {
      std::vector<std::string>& cells = rows.cells.emplace_back();
      for (int column = 0; column < result.Columns(); ++column) {
        cells.push_back(result.Bytes(column) ? FromHex(result.Text(row, column))
                                             : result.Text(row, column));
      }
    }
    return rows;
  }

 private:
  Pool& pool_;
  PgConnection::Deadline deadline_;
  std::unique_ptr<PgConnection> conn_;
};

std::unique_ptr<SqlSession> PostgresStore::Pool::Open() {
  return std::make_unique<Session>(*this);
}

PostgresStore::PostgresStore(const StoreSettings& settings)
    : SqlScoreStore(std::make_unique<Pool>(settings)) {
  try {
    Upgrade();
  } catch (const std::exception& e) {
    throw std::runtime_error(std::string("cannot use the PostgreSQL database: ") + e.what());
  }
}

}  // namespace brinecast::scores
