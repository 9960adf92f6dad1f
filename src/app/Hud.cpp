// The texts drawn over the sprites in each state.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::DrawStateTexts() {}

}  // namespace brinecast
