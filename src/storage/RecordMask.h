// The anti-tamper masking of high-score names and scores in the stored record.
#pragma once

#include <cstdint>

namespace brinecast {

// Masks (and, applied again, unmasks) character pos (0..11) of the name of row
// (1..10). Stored files depend on these values: never change them.
uint8_t MaskNameChar(int row, int pos, uint8_t c);
// Masks (and, applied again, unmasks) the score of row (1..10).
uint32_t MaskScore(int row, uint32_t score);

}  // namespace brinecast
