// The image list component following its drawing component's surface.
#include "engine/DXImageList.h"

namespace brinecast {

TDXImageList::TDXImageList(TDXDraw& draw) : draw_(&draw) {
  items_.SetDXDraw(draw_);
  draw_->AddListener(this);
  if (draw_->Initialized()) items_.Prepare();
}

TDXImageList::~TDXImageList() {
  if (draw_ != nullptr) draw_->RemoveListener(this);
}

void TDXImageList::DXDrawInitialized(TDXDraw&) {
  items_.Prepare();
}

void TDXImageList::DXDrawFinalizing(TDXDraw&) {
  items_.Finalize();
}

void TDXImageList::DXDrawDestroyed(TDXDraw&) {
  draw_ = nullptr;
  items_.SetDXDraw(nullptr);
}

}  // namespace brinecast
