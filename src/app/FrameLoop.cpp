// One frame of the game, in its fixed order of work.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::DXTimer1Timer(uint32_t /*lagCount*/) {
  if (!DXDraw1.CanDraw()) return;
  DXInput1.Update();
  DXDraw1.Fill(0);
  ++FrameNo;
  DXSpriteEngine1.Move(FrameNo);
  DXSpriteEngine1.PurgeDead();
  DXSpriteEngine1.Draw();
  DrawStateTexts();
  platform_.Present(DXDraw1.Surface());
}

}  // namespace brinecast
