// Replacing a file whole, so that a crash or a full disk leaves either the old file or the
// new one, never a part of either; and the error such a write raises.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace brinecast {

// A failed write: "Cannot write <the file's path>: <the system's text for the error>".
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Writes bytes to a new file beside path (path + ".tmp", made afresh and never written
// through a link), syncs it, renames it over path and syncs the folder. Throws EInOutError
// and leaves the old file as it was on failure.
void WriteFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

}  // namespace brinecast
