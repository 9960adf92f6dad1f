// Modules started at the audio output's own rate, so what is heard is libxmp's rendering as
// it comes, sample for sample.
#include "platform/web/browser/WebMusic.h"

namespace brinecast {

int WebMusic::Load(const std::string& path) {
  std::unique_ptr<XmpModule> module = XmpModule::Load(path);
  if (!module) return -1;
  const int handle = next_++;
  modules_[handle] = std::move(module);
  return handle;
}

void WebMusic::Silence() {
  if (playing_ < 0) return;
  heard_ = nullptr;
  modules_[playing_]->End();
  playing_ = -1;
}

void WebMusic::Play(int module) {
  const auto found = modules_.find(module);
  if (found == modules_.end()) return;
  Silence();
  playing_ = module;
  if (rate_ > 0 && found->second->Start(rate_)) heard_ = found->second.get();
}

void WebMusic::Stop(int module) {
  if (module >= 0 && module == playing_) Silence();
}

void WebMusic::Free(int module) {
  Stop(module);
  modules_.erase(module);
}

void WebMusic::Render(int16_t* out, size_t frames) {
  if (heard_ != nullptr)
    heard_->Render(reinterpret_cast<uint8_t*>(out), static_cast<int>(frames * 4));
}

}  // namespace brinecast
