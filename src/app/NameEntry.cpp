// Completing the name entry of a new high score.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::CompleteNameEntry() {}

}  // namespace brinecast
