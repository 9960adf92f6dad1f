// Reading the score server's reachability reply: the game uses only its start and p.
#pragma once

#include <string>
#include <string_view>

namespace brinecast {

// Whether the first two characters are exactly "OK".
bool ReplyIsOk(std::string_view reply);

// The fifth "|"-separated piece (between the fourth and fifth "|"); empty when the reply
// holds fewer than five "|".
std::string ReplyP(std::string_view reply);

}  // namespace brinecast
