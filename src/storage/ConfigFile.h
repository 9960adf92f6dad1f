#pragma once

#include <stdexcept>
#include <string>

#include "storage/Config.h"

namespace brinecast {

// A failed write of Config.cfg, with the system's text for the error.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Where Config.cfg lives and how it is read and written: in the game's folder,
// or in the player's data folder when the game's folder cannot be written.
class TConfigFile {
 public:
  // appDir ends with a separator; prefDir (may be empty) is the player's data
  // folder, used when appDir cannot be written.
  TConfigFile(std::string appDir, std::string prefDir);

  // Reads the record. False when there is none or it cannot be read; a file
  // that exists but cannot be read is first kept beside as Config.cfg.bad.
  bool Load(TConfig& config);
  // Writes the whole record to a new file beside Config.cfg, then renames it
  // over; throws EInOutError and leaves the old file as it was on failure.
  void Save(const TConfig& config);

  // The file that Load reads / Save writes.
  std::string Path() const;

 private:
  std::string appDir_;
  std::string prefDir_;
};

}  // namespace brinecast
