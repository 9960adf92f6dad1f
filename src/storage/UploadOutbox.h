// Recording uploads that did not get through, kept in the player's folder until they do or
// their time is up: one file an upload, each replaced whole, the oldest going first when the
// folder is full.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "storage/UploadFile.h"

namespace brinecast {

class UploadOutbox {
 public:
  static constexpr const char* kFolderName = "Uploads";
  static constexpr size_t kMaxUploads = 16;
  // Each recording weighs at most a MiB on the wire; a few of them is plenty.
  static constexpr size_t kMaxBytes = size_t{4} << 20U;

  // playerFolder: where Config.cfg lives. What waits there is read now; damaged files, and
  // what crashed writes left, are removed.
  explicit UploadOutbox(const std::string& playerFolder);

  const std::string& Folder() const { return folder_; }
  // The names of the waiting uploads' files, oldest first.
  std::vector<std::string> Names() const;

  // Keeps an upload, making room by dropping the oldest; its file's name, or nothing for an
  // upload larger than the whole outbox. Throws EInOutError.
  std::optional<std::string> Add(const WaitingUpload& upload);
  // Replaces what the named file keeps. Throws EInOutError.
  void Update(const std::string& name, const WaitingUpload& upload);
  void Remove(const std::string& name);

  // The oldest upload due at now (its next try come) with its file's name. Uploads past their
  // deadline, and files found damaged or gone, are dropped on the way.
  std::optional<std::pair<std::string, WaitingUpload>> NextDue(int64_t now);

 private:
  // What is known of a file without reading it again.
  struct Slot {
    std::string name;
    int64_t deadline;
    int64_t nextTry;
    size_t size;
  };
  std::string PathOf(const std::string& name) const;
  std::vector<Slot>::iterator Find(const std::string& name);
  void Drop(std::vector<Slot>::iterator slot);
  void Load();
  // Drops the oldest until incoming more bytes (and one more file, when any) fit the caps.
  void MakeRoom(size_t incoming);

  std::string folder_;
  std::vector<Slot> slots_;  // oldest first
  uint64_t nextNumber_ = 1;
};

}  // namespace brinecast
