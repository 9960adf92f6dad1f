// The archive tool's three commands.
#pragma once

#include <string>

namespace brinecast {

// Each returns the process exit code: 0 done, 1 failed (message on stderr).
int ListCommand(const std::string& archive);
int ExtractCommand(const std::string& archive, const std::string& dir);
int PackCommand(const std::string& manifest, const std::string& out);

}  // namespace brinecast
