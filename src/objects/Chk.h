// The check box of the name entry: ticked while the score is to be sent online.
#pragma once

#include "engine/ImageSprite.h"

namespace brinecast {

class TChk : public TImageSprite {
 public:
  explicit TChk(TSprite* parent);

  const char* ClassName() const override { return "TChk"; }
  void Render() override;

  bool Shown = false;
};

}  // namespace brinecast
