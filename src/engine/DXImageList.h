// The image list component: a picture collection tied to a drawing component.
#pragma once

#include "engine/DXDraw.h"
#include "engine/PictureCollection.h"

namespace brinecast {

// An image list component: its pictures are prepared whenever its drawing
// component initialises and dropped when it finalises.
class TDXImageList : private TDXDrawListener {
 public:
  explicit TDXImageList(TDXDraw& draw);
  ~TDXImageList();
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  TPictureCollection& Items() { return items_; }
  const TPictureCollection& Items() const { return items_; }
  TDXDraw* DXDraw() const { return draw_; }

 private:
  void DXDrawInitialized(TDXDraw& draw) override;
  void DXDrawFinalizing(TDXDraw& draw) override;
  void DXDrawDestroyed(TDXDraw& draw) override;

  TDXDraw* draw_;
  TPictureCollection items_;
};

}  // namespace brinecast
