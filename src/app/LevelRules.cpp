// Setting up a game and its levels; the catch text and the random spawns of play.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::StartGame() {}

void TForm1::NextLevel() {}

void TForm1::CatchTextAndSpawns() {}

void TForm1::LandedCatchText() {}

}  // namespace brinecast
