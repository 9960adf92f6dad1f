// One frame of the game, in its fixed order of work.
#include "app/TForm1.h"
#include "app/screens/Screen.h"
#include "objects/GameStates.h"

namespace brinecast {

void TForm1::DXTimer1Timer(uint32_t /*lagCount*/) {
  if (!DXDraw1.CanDraw()) return;
  DXInput1.Update();
  DXDraw1.Fill(0);
  ++FrameNo;
  DXSpriteEngine1.Move(FrameNo);
  DXSpriteEngine1.PurgeDead();
  DXSpriteEngine1.Draw();
  // What changes each frame outside the sprites changes here, after the sprites are
  // drawn and before the texts: drawing itself changes nothing.
  if (Screen* screen = Front()) screen->Update();
  if (GameState == states::kGame && !Timer2.Enabled()) AdvancePlay();
  DrawStateTexts();
  platform_.Present(DXDraw1.Surface());
}

}  // namespace brinecast
