// Where the score server lives and the requests the game makes of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace brinecast {

// host or host:port of letters, digits, dots and hyphens, port 1 to 65535.
bool IsValidServerHost(std::string_view host);

// The address fixed at build time.
std::string BuiltInScoreServer();
// The chosen address (an entry point's: the environment's, the command line's) when it is
// given and valid, else the built-in one.
std::string ScoreServerHost(const char* chosen);

std::string CheckUrl(std::string_view host);
std::string SubmitUrl(std::string_view host, std::string_view encodedPayload);
std::string WorldScoresUrl(std::string_view host);
std::string PortalUrl(std::string_view host);
// Where a submitted game's recording goes, named by the check's one-time token.
std::string RecordingUrl(std::string_view host, std::string_view token);

// User-Agent, Accept and Content-Type, sent with every request (a recording upload's
// Content-Type is replaced by its body's).
std::vector<std::string> ScoreRequestHeaders();

}  // namespace brinecast
