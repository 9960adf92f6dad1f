#pragma once

#include "SourceImage.h"

namespace brinecast {

// Mirrors every whole pattern cell left-right where it stands, so a strip of frames facing
// one way becomes the same frames facing the other. A pattern size of 0 means the whole
// picture; the gaps between cells stay as they are.
void MirrorCells(SourceImage& image, int patternWidth, int patternHeight, int skipWidth,
                 int skipHeight);

}  // namespace brinecast
