// Config.cfg on disk: where it lives, reading it and replacing it safely.
#pragma once

#include <string>

#include "storage/AtomicWrite.h"
#include "storage/Config.h"

namespace brinecast {

// Where Config.cfg lives and how it is read and written: in the game's folder,
// or in the player's data folder when the game's folder cannot be written.
class TConfigFile {
 public:
  static constexpr const char* kFileName = "Config.cfg";

  // appDir ends with a separator; prefDir (may be empty) is the player's data
  // folder, used when appDir cannot be written.
  TConfigFile(std::string appDir, std::string prefDir);

  // Reads the record from Path(), or, when there is none there yet, from the
  // game's folder. False when there is none or it cannot be read; a file that
  // exists but is short or unreadable is first kept beside as Config.cfg.bad.
  bool Load(TConfig& config);
  // Writes the whole record to a new file beside Config.cfg, then renames it
  // over; throws EInOutError and leaves the old file as it was on failure.
  void Save(const TConfig& config);

  // The file that Save writes (and Load reads first): the game's folder when a
  // file can be created there, else the player's data folder if one was given.
  std::string Path() const;

 private:
  bool AppDirWritable() const;

  std::string appDir_;
  std::string prefDir_;
};

}  // namespace brinecast
