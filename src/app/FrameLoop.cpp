// One frame of the game, in its fixed order of work.
#include <vector>

#include "app/TForm1.h"
#include "app/screens/Screen.h"
#include "objects/DrawSettle.h"
#include "objects/GameStates.h"

namespace brinecast {

void TForm1::DXTimer1Timer(uint32_t /*lagCount*/) {
  TendUploads();
  if (!DXDraw1().CanDraw()) return;
  DXInput1().Update();
  if (draws_) DXDraw1().Fill(0);
  NextFrame();
  DXSpriteEngine1().Move(FrameNo());
  DXSpriteEngine1().PurgeDead();
  // Drawing itself changes nothing: what the drawn sprites change happens around it.
  const std::vector<TSprite*> shown = SpritesToDraw(DXSpriteEngine1().Engine());
  BeforeDraw(shown);
  if (draws_) DXSpriteEngine1().Draw();
  AfterDraw(shown);
  // What changes each frame outside the sprites changes here, after the sprites are
  // drawn and before the texts.
  if (Screen* screen = Front()) screen->Update();
  if (State() == GameState::Game && !Freeze().Enabled()) AdvancePlay();
  if (draws_) DrawStateTexts();
  platform_.Present(DXDraw1().Surface());
}

}  // namespace brinecast
