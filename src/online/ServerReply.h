// The game's reading of the score server's check reply: only its start and the token
// (the p it sends back), as the protocol defines them.
#pragma once

#include <string>
#include <string_view>

#include "protocol/Reply.h"

namespace brinecast {

using protocol::ReplyIsOk;

// The token to send back as the payload's p.
inline std::string ReplyP(std::string_view reply) {
  return protocol::ReplyToken(reply);
}

}  // namespace brinecast
