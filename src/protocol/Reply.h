// The score server's reply to the game: the check's "OK|version|||token|" as the server
// builds it and the game reads it, and the bare "OK" of a stored submission.
#pragma once

#include <string>
#include <string_view>

namespace brinecast::protocol {

// A reply the game takes as yes starts with this; a stored submission is answered with it
// alone.
inline constexpr std::string_view kOk = "OK";

// The check's answer: kOk, the server's version, two empty pieces and the token, each piece
// closed by "|".
std::string CheckReply(std::string_view version, std::string_view token);

// Whether the first two characters are exactly "OK".
bool ReplyIsOk(std::string_view reply);

// The token: the fifth "|"-separated piece (between the fourth and fifth "|"); empty when
// the reply holds fewer than five "|".
std::string ReplyToken(std::string_view reply);

}  // namespace brinecast::protocol
