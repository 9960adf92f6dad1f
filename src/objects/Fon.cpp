// Backgrounds and where each sea plants its seaweed.
#include "objects/Fon.h"

#include "engine/PictureCollectionItem.h"
#include "objects/PlayField.h"
#include "objects/SpriteImage.h"
#include "objects/Vodorosl.h"

namespace brinecast {

TFon::TFon(TSprite* parent, int background) : TImageSprite(parent) {
  TakeImage(*this, Field(*this).MenuImage(background));
  X = 0;
  Y = 0;
  SetZ(-10);
  // Seaweed hangs on the root beside the background, not under it.
  switch (background) {
    case 1:
      Weeds[2] = new TVodorosl(parent, -200, 0, "Vodorosl2");  // off screen
      Weeds[0] = new TVodorosl(parent, 78, 305, "Vodorosl1");
      Weeds[1] = new TVodorosl(parent, 590, 312, "Vodorosl1");
      break;
    case 2:
      Weeds[2] = new TVodorosl(parent, -200, 0, "Vodorosl2");  // off screen
      Weeds[0] = new TVodorosl(parent, 622, 313, "Vodorosl1");
      Weeds[1] = new TVodorosl(parent, 376, 417, "Vodorosl2");
      break;
    case 3:
      Weeds[0] = new TVodorosl(parent, 179, 311, "Vodorosl1");
      Weeds[1] = new TVodorosl(parent, 600, 314, "Vodorosl1");
      Weeds[2] = new TVodorosl(parent, 321, 420, "Vodorosl2");
      break;
    default:
      break;
  }
}

void TFon::KillWithWeeds() {
  for (const TSpriteRef<TVodorosl>& weed : Weeds) weed.Kill();
  Kill();
}

}  // namespace brinecast
