// The error of an archive file whose bytes are not an archive: the format's own text,
// with the file's name on the line before it so the player knows which file is damaged.
#pragma once

#include <string>

#include "engine/EngineError.h"

namespace brinecast {

class ArchiveFileError : public EngineError {
 public:
  ArchiveFileError(const std::string& path, const std::string& text)
      : EngineError(path + "\n" + text), path_(path), text_(text) {}

  const std::string& Path() const { return path_; }
  // The format's text alone, as the reader of the bytes gave it.
  const std::string& Text() const { return text_; }

 private:
  std::string path_;
  std::string text_;
};

}  // namespace brinecast
