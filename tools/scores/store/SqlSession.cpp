// The parts of a session every back end shares.
#include "scores/store/SqlSession.h"

namespace brinecast::scores {

int64_t SqlRows::Int(int row, int column) const {
  const std::string& text = Text(row, column);
  return text.empty() ? 0 : std::stoll(text);
}

bool SqlRows::Bool(int row, int column) const {
  const std::string& text = Text(row, column);
  return text == "t" || text == "1" || text == "true";
}

void SqlSession::Begin(const SqlDialect& dialect, std::string_view lock) {
  Run(dialect.begin);
  inTransaction_ = true;
  if (!lock.empty()) Run(lock);
}

void SqlSession::Commit() {
  Run("COMMIT");
  inTransaction_ = false;
}

void SqlSession::RollBackIfOpen() noexcept {
  if (!inTransaction_) return;
  inTransaction_ = false;
  try {
    Run("ROLLBACK");
  } catch (...) {
    // A connection that failed has no transaction left to roll back.
  }
}

std::string NumberPlaceholders(std::string_view sql) {
  std::string out;
  int next = 0;
  bool quoted = false;
  for (char c : sql) {
    if (c == '\'') quoted = !quoted;
    if (c == '?' && !quoted) {
      out += '$' + std::to_string(++next);
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace brinecast::scores
