// The check reply's pieces: where the token sits is written once, for building and reading.
#include "protocol/Reply.h"

namespace brinecast::protocol {

namespace {

constexpr char kBar = '|';
constexpr int kTokenPiece = 4;  // counted from 0, kOk being the first

}  // namespace

std::string CheckReply(std::string_view version, std::string_view token) {
  const std::string_view pieces[kTokenPiece + 1] = {kOk, version, {}, {}, token};
  std::string reply;
  for (std::string_view piece : pieces) {
    reply += piece;
    reply += kBar;
  }
  return reply;
}

bool ReplyIsOk(std::string_view reply) {
  return reply.starts_with(kOk);
}

std::string ReplyToken(std::string_view reply) {
  size_t start = 0;
  for (int bar = 0; bar < kTokenPiece; ++bar) {
    const size_t at = reply.find(kBar, start);
    if (at == std::string_view::npos) return {};
    start = at + 1;
  }
  const size_t end = reply.find(kBar, start);
  if (end == std::string_view::npos) return {};
  return std::string(reply.substr(start, end - start));
}

}  // namespace brinecast::protocol
