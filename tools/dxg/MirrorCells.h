// Mirroring the pattern cells of a source picture for the pack command.
#pragma once

#include "SourceImage.h"
#include "engine/PatternGrid.h"

namespace brinecast {

// Mirrors every whole pattern cell left-right where it stands, so a strip of frames facing
// one way becomes the same frames facing the other. The gaps between cells stay as they are.
void MirrorCells(SourceImage& image, const PatternGeometry& geometry);

}  // namespace brinecast
