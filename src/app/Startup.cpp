// Start-up and the window's own events.
#include "app/TForm1.h"

namespace brinecast {

void TForm1::FormCreate() {
  DXImageList1.Items().MakeColorTable();
  DXImageList1.Items().LoadFromFile(appDir_ + "Data/MenuImgs.dxg");
  GameImgs.Items().LoadFromFile(appDir_ + "Data/GameImgs.dxg");
  startupDone_ = true;
}

void TForm1::FormCloseQuery(bool& canClose) {
  canClose = true;
}

void TForm1::WMGetSysCommand(int /*command*/) {}

void TForm1::FormActivate() {}

void TForm1::FormDeactivate() {}

void TForm1::JoystickRemoved() {}

void TForm1::ShowMouse(bool show) {
  platform_.ShowCursor(show);
}

}  // namespace brinecast
