// One libpq connection whose connecting and statements end by a deadline, whatever the
// database does: a stopped server costs a time-out, never a hung request.
#pragma once

#include <chrono>
#include <string>
#include <utility>
#include <vector>

struct pg_conn;
struct pg_result;

namespace brinecast::scores {

class PgResult {
 public:
  explicit PgResult(pg_result* result) : result_(result) {}
  ~PgResult();
  PgResult(PgResult&& other) noexcept : result_(std::exchange(other.result_, nullptr)) {}
  PgResult(const PgResult&) = delete;
  PgResult& operator=(const PgResult&) = delete;
  PgResult& operator=(PgResult&& other) noexcept;
  bool Succeeded() const;
  int Rows() const;
  int Columns() const;
  // True for a column of bytes (bytea), which comes as \x and hex digits.
  bool Bytes(int column) const;
  std::string Text(int row, int column) const;
  int64_t Int(int row, int column) const;

 private:
  pg_result* result_;
};

class PgConnection {
 public:
  using Deadline = std::chrono::steady_clock::time_point;
  // Libpq keywords and values; the first may be a URI, which the later ones complete.
  PgConnection(const std::vector<std::pair<std::string, std::string>>& settings, Deadline deadline);
  ~PgConnection();
  PgConnection(const PgConnection&) = delete;
  PgConnection& operator=(const PgConnection&) = delete;

  // Throws on an error or when the deadline passes; the connection is then of no more use.
  PgResult Run(const char* sql, const std::vector<std::string>& params, Deadline deadline);
  bool usable() const { return usable_; }

 private:
  // Waits until the socket is readable (or writable) or throws at the deadline.
  void Wait(bool forWriting, Deadline deadline);
  [[noreturn]] void Fail(const std::string& what);
  pg_conn* conn_ = nullptr;
  bool usable_ = true;
};

}  // namespace brinecast::scores
