// The anti-tamper masking of high-score names and scores in the stored record.
#include "storage/RecordMask.h"

namespace brinecast {

// Both are an XOR with a key that depends on the row (and the character's place),
// so equal names or scores in two rows do not look alike in the file.
uint8_t MaskNameChar(int row, int pos, uint8_t c) {
  return static_cast<uint8_t>(c ^ (0x5A + 31 * row + 7 * pos));
}

uint32_t MaskScore(int row, uint32_t score) {
  return score ^ (0x9E3779B9u * static_cast<uint32_t>(row));
}

}  // namespace brinecast
