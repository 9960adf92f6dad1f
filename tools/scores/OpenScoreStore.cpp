// Picks the store from the --db argument.
#include "scores/PostgresStore.h"
#include "scores/SqliteStore.h"

namespace brinecast::scores {

std::unique_ptr<ScoreStore> OpenScoreStore(const std::string& where) {
  if (where.starts_with("postgresql://") || where.starts_with("postgres://")) {
    return std::make_unique<PostgresStore>(where);
  }
  return std::make_unique<SqliteStore>(where);
}

}  // namespace brinecast::scores
