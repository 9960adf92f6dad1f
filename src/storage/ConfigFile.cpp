#include "storage/ConfigFile.h"

#include <utility>

namespace brinecast {

TConfigFile::TConfigFile(std::string appDir, std::string prefDir)
    : appDir_(std::move(appDir)), prefDir_(std::move(prefDir)) {}
bool TConfigFile::Load(TConfig& /*config*/) {
  return false;
}
void TConfigFile::Save(const TConfig& /*config*/) {}
std::string TConfigFile::Path() const {
  return appDir_ + "Config.cfg";
}

}  // namespace brinecast
