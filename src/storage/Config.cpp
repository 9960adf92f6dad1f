#include "storage/Config.h"

namespace brinecast {

void SetDefaults(TConfig& /*config*/) {}
std::array<uint8_t, TConfig::kRecordSize> WriteRecord(const TConfig& config) {
  return config.Raw;
}
bool ReadRecord(std::span<const uint8_t> /*bytes*/, TConfig& /*config*/) {
  return false;
}

}  // namespace brinecast
