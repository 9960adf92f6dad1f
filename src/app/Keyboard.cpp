// The keyboard: key presses feed the input states, releases drive the screens.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::FormKeyDown(int key, bool /*alt*/) {
  DXInput1.KeyDown(key);
}

void TForm1::FormKeyUp(int key, bool /*alt*/) {
  DXInput1.KeyUp(key);
}

}  // namespace brinecast
