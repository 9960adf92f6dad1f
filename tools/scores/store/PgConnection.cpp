// Libpq's non-blocking calls with poll(2) between them, so every wait has an end.
#include "scores/store/PgConnection.h"

#include <libpq-fe.h>
#include <poll.h>

#include <cerrno>
#include <stdexcept>

namespace brinecast::scores {

PgResult::~PgResult() {
  PQclear(result_);
}

PgResult& PgResult::operator=(PgResult&& other) noexcept {
  if (this != &other) {
    PQclear(result_);
    result_ = std::exchange(other.result_, nullptr);
  }
  return *this;
}

bool PgResult::Succeeded() const {
  const ExecStatusType status = PQresultStatus(result_);
  return status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
}

int PgResult::Rows() const {
  return PQntuples(result_);
}

int PgResult::Columns() const {
  return PQnfields(result_);
}

bool PgResult::Bytes(int column) const {
  constexpr Oid kByteaType = 17;
  return PQftype(result_, column) == kByteaType;
}

std::string PgResult::Text(int row, int column) const {
  return PQgetvalue(result_, row, column);
}

int64_t PgResult::Int(int row, int column) const {
  return std::stoll(Text(row, column));
}

PgConnection::PgConnection(const std::vector<std::pair<std::string, std::string>>& settings,
                           Deadline deadline) {
  std::vector<const char*> keys;
  std::vector<const char*> values;
  for (const auto& [key, value] : settings) {
    keys.push_back(key.c_str());
    values.push_back(value.c_str());
  }
  keys.push_back(nullptr);
  values.push_back(nullptr);
  conn_ = PQconnectStartParams(keys.data(), values.data(), 1);
  if (!conn_) throw std::runtime_error("postgresql: out of memory");
  // No destructor runs for a constructor that throws.
  try {
    if (PQstatus(conn_) == CONNECTION_BAD) Fail("cannot connect");
    PostgresPollingStatusType status = PGRES_POLLING_WRITING;
    while (status != PGRES_POLLING_OK) {
      if (status == PGRES_POLLING_FAILED) Fail("cannot connect");
      Wait(status == PGRES_POLLING_WRITING, deadline);
      status = PQconnectPoll(conn_);
    }
    if (PQsetnonblocking(conn_, 1) != 0) Fail("cannot connect");
  } catch (...) {
    PQfinish(conn_);
    throw;
  }
}

PgConnection::~PgConnection() {
  PQfinish(conn_);
}

void PgConnection::Fail(const std::string& what) {
  usable_ = false;
  std::string message = PQerrorMessage(conn_);
  while (!message.empty() && message.back() == '\n') message.pop_back();
  throw std::runtime_error("postgresql: " + what + ": " + message);
}

void PgConnection::Wait(bool forWriting, Deadline deadline) {
  pollfd watch{PQsocket(conn_), static_cast<short>(forWriting ? POLLOUT : POLLIN), 0};
  if (watch.fd < 0) Fail("no connection");
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      usable_ = false;
      throw std::runtime_error("postgresql: no answer in time");
    }
    const int ready = poll(&watch, 1, static_cast<int>(left.count()) + 1);
    if (ready > 0) return;
    if (ready < 0 && errno != EINTR) Fail("cannot wait for the database");
  }
}

PgResult PgConnection::Run(const char* sql, const std::vector<std::string>& params,
                           Deadline deadline) {
  std::vector<const char*> values;
  values.reserve(params.size());
  for (const std::string& p : params) values.push_back(p.c_str());
  if (!PQsendQueryParams(conn_, sql, static_cast<int>(values.size()), nullptr, values.data(),
                         nullptr, nullptr, 0)) {
    Fail("cannot send");
  }
  for (int pending = PQflush(conn_); pending != 0; pending = PQflush(conn_)) {
    if (pending < 0) Fail("cannot send");
    Wait(true, deadline);
    if (!PQconsumeInput(conn_)) Fail("cannot read");
  }
  // Every result is read to the end, so the connection is ready for the next statement.
  PgResult first(nullptr);
  bool haveFirst = false;
  while (true) {
    while (PQisBusy(conn_)) {
      Wait(false, deadline);
      if (!PQconsumeInput(conn_)) Fail("cannot read");
    }
    PGresult* result = PQgetResult(conn_);
    if (!result) break;
    if (haveFirst) {
      PQclear(result);
    } else {
      first = PgResult(result);
      haveFirst = true;
    }
  }
  if (!haveFirst || !first.Succeeded()) Fail("statement failed");
  return first;
}

}  // namespace brinecast::scores
