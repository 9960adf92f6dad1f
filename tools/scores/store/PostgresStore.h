// The shared store: PostgreSQL through libpq, so several server processes can use one
// database. A small pool of connections, each statement bounded in time.
#pragma once

#include "scores/store/SqlScoreStore.h"

namespace brinecast::scores {

class PostgresStore : public SqlScoreStore {
 public:
  explicit PostgresStore(const StoreSettings& settings);
  PostgresStore(const PostgresStore&) = delete;
  PostgresStore& operator=(const PostgresStore&) = delete;

 private:
  class Pool;
  class Session;
};

}  // namespace brinecast::scores
