// The headless platform's music: checked modules and a record of what would play.
#include "platform/headless/HeadlessMusic.h"

#include <limits>

#include "platform/XmpModule.h"

namespace brinecast {

int HeadlessMusic::Load(const std::string& path) {
  if (!XmpModule::Load(path)) return -1;
  const int module = next_;
  next_ = next_ == std::numeric_limits<int>::max() ? 0 : next_ + 1;
  loaded_[module] = path;
  last_ = module;
  return module;
}

void HeadlessMusic::Play(int module) {
  // Playing a module replaces the one heard.
  if (loaded_.contains(module)) playing_ = module;
}

void HeadlessMusic::Stop(int module) {
  if (module == playing_) playing_ = -1;
}

void HeadlessMusic::Free(int module) {
  Stop(module);
  loaded_.erase(module);
  if (module == last_) last_ = -1;
}

MusicRecord HeadlessMusic::State() const {
  const int shown = playing_ >= 0 ? playing_ : last_;
  const auto found = loaded_.find(shown);
  if (found == loaded_.end()) return {};
  return {found->second, playing_ >= 0};
}

}  // namespace brinecast
