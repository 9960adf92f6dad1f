// Lists of comma-separated items, each with optional parameters after ';'.
#include "scores/http/Negotiation.h"

#include "scores/http/HeaderText.h"
#include "scores/http/HttpReply.h"

namespace brinecast::scores {

namespace {

// A weight of zero ("q=0", "q=0.000") refuses the coding; any other weight, or none, takes it.
bool WeightAboveZero(std::string_view parameters) {
  while (!parameters.empty()) {
    const size_t semicolon = parameters.find(';');
    const std::string_view parameter = TrimSpaces(parameters.substr(0, semicolon));
    parameters =
        semicolon == std::string_view::npos ? std::string_view() : parameters.substr(semicolon + 1);
    if (parameter.size() < 2 || !SameHeaderName(parameter.substr(0, 2), "q=")) continue;
    for (char c : parameter.substr(2)) {
      if (c != '0' && c != '.') return true;
    }
    return false;
  }
  return true;
}

struct Taken {
  int named = -1;  // -1 unnamed, 0 refused, 1 taken
  bool any = false;
};

Taken Look(std::string_view acceptEncoding, std::string_view coding) {
  Taken taken;
  ForEachItem(acceptEncoding, [&](std::string_view item) {
    const size_t semicolon = item.find(';');
    const std::string_view name = TrimSpaces(item.substr(0, semicolon));
    const bool above = WeightAboveZero(
        semicolon == std::string_view::npos ? std::string_view() : item.substr(semicolon + 1));
    if (SameHeaderName(name, coding)) taken.named = above ? 1 : 0;
    if (name == "*") taken.any = above;
  });
  return taken;
}

bool Takes(std::string_view acceptEncoding, std::string_view coding) {
  const Taken taken = Look(acceptEncoding, coding);
  return taken.named == 1 || (taken.named == -1 && taken.any);
}

}  // namespace

Coding ChooseCoding(std::string_view acceptEncoding, bool haveBrotli, bool haveGzip) {
  if (haveBrotli && Takes(acceptEncoding, "br")) return Coding::kBrotli;
  if (haveGzip && Takes(acceptEncoding, "gzip")) return Coding::kGzip;
  return Coding::kIdentity;
}

std::string_view CodingName(Coding coding) {
  switch (coding) {
    case Coding::kBrotli:
      return "br";
    case Coding::kGzip:
      return "gzip";
    case Coding::kIdentity:
      break;
  }
  return {};
}

bool EtagMatches(std::string_view ifNoneMatch, std::string_view etag) {
  bool match = false;
  ForEachItem(ifNoneMatch, [&](std::string_view item) {
    if (item.starts_with("W/")) item.remove_prefix(2);
    match = match || item == "*" || item == etag;
  });
  return match;
}

}  // namespace brinecast::scores
