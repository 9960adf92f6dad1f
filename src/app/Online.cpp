// The score submission and the web links.
#include "app/TForm1.h"

namespace brinecast {

bool TForm1::SubmitScore() {
  return false;
}

void TForm1::OpenWorldScores() {}

void TForm1::VisitPortal() {}

}  // namespace brinecast
