// Reachability reply: the "OK" test and the p piece.
#include "online/ServerReply.h"

namespace brinecast {

bool ReplyIsOk(std::string_view reply) {
  return reply.size() >= 2 && reply[0] == 'O' && reply[1] == 'K';
}

std::string ReplyP(std::string_view reply) {
  size_t start = 0;
  for (int bar = 0; bar < 4; ++bar) {
    const size_t at = reply.find('|', start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  const size_t end = reply.find('|', start);
  if (end == std::string_view::npos) return {};
  return std::string(reply.substr(start, end - start));
}

}  // namespace brinecast
