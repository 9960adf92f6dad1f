// The exception of the engine and media layers, carrying the message shown to the user.
#pragma once

#include <stdexcept>
#include <string>

namespace brinecast {

// Errors of the engine and media layers: a formatted message shown to the user
// in a message box by whoever catches it.
class EngineError : public std::runtime_error {
 public:
  explicit EngineError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace brinecast
