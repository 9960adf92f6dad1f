// Score server address and URLs.
#include "online/ScoreServer.h"

#include <cstdlib>

#include "protocol/Requests.h"

#ifndef BRINECAST_SCORE_SERVER_DEFAULT
#define BRINECAST_SCORE_SERVER_DEFAULT "localhost:8765"
#endif

namespace brinecast {

namespace {

bool IsHostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
         c == '-';
}

std::string Http(std::string_view host, std::string_view pathAndQuery) {
  std::string url = "http://";
  url += host;
  url += pathAndQuery;
  return url;
}

}  // namespace

bool IsValidServerHost(std::string_view host) {
  const size_t colon = host.find(':');
  const std::string_view name = host.substr(0, colon);
  if (name.empty() || name.size() > 253) return false;
  for (char c : name) {
    if (!IsHostChar(c)) return false;
  }
  if (colon == std::string_view::npos) return true;
  const std::string_view port = host.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  long value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

std::string BuiltInScoreServer() {
  return BRINECAST_SCORE_SERVER_DEFAULT;
}

std::string ScoreServerHost(const char* chosen) {
  if (chosen != nullptr && IsValidServerHost(chosen)) return chosen;
  return BuiltInScoreServer();
}

std::string CheckUrl(std::string_view host) {
  return Http(host, protocol::CheckTarget());
}

std::string SubmitUrl(std::string_view host, std::string_view encodedPayload) {
  return Http(host, protocol::SubmitTarget(encodedPayload));
}

std::string WorldScoresUrl(std::string_view host) {
  return Http(host, protocol::WorldTarget());
}

std::string PortalUrl(std::string_view host) {
  return Http(host, protocol::PortalTarget());
}

std::string RecordingUrl(std::string_view host, std::string_view token) {
  return Http(host, protocol::RecordingTarget(token));
}

std::vector<std::string> ScoreRequestHeaders() {
  std::string agent = "User-Agent: Mozilla/3.0 (compatible; ";
  agent += protocol::kProgram;
  agent += ')';
  return {agent, "Accept: text/html, */*", "Content-Type: text/html"};
}

}  // namespace brinecast
