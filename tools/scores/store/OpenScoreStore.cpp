// Picks the store from the --db argument.
#include "scores/store/PostgresStore.h"
#include "scores/store/SqliteStore.h"

namespace brinecast::scores {

std::unique_ptr<ScoreStore> OpenScoreStore(const StoreSettings& settings) {
  if (settings.where.starts_with("postgresql://") || settings.where.starts_with("postgres://")) {
    return std::make_unique<PostgresStore>(settings);
  }
  return std::make_unique<SqliteStore>(settings.where);
}

}  // namespace brinecast::scores
