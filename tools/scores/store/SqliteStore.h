// The embedded store: one SQLite file in WAL mode, one connection shared under a lock; it can
// copy itself while live.
#pragma once

#include <string>

#include "scores/store/SqlScoreStore.h"

struct sqlite3;

namespace brinecast::scores {

class SqliteStore : public SqlScoreStore, public StoreBackup {
 public:
  explicit SqliteStore(const std::string& path);
  SqliteStore(const SqliteStore&) = delete;
  SqliteStore& operator=(const SqliteStore&) = delete;

  StoreBackup* Backups() override { return this; }
  void Backup(const std::string& path) override;

 private:
  class Database;
  class Session;
  Database& sqlite();
};

}  // namespace brinecast::scores
