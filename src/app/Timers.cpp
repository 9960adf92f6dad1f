// The four window timers and the ways a game ends.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::Timer1Timer() {}

void TForm1::Timer2Timer() {}

void TForm1::Timer3Timer() {}

void TForm1::Timer4Timer() {}

void TForm1::LeaveGame() {}

void TForm1::ClearPlayField() {}

}  // namespace brinecast
