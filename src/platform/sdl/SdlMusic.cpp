// Music modules fed through the mixer's music hook.
#include "platform/sdl/SdlMusic.h"

#include <SDL_mixer.h>

#include <cstring>
#include <limits>

#include "platform/XmpModule.h"

namespace brinecast {

SdlMusic::SdlMusic(int rate) : rate_(rate) {
  if (rate_ > 0) Mix_HookMusic(&SdlMusic::Feed, this);
}

SdlMusic::~SdlMusic() {
  // Unhooking waits for the mixer's lock: the audio thread is out of Feed afterwards.
  if (rate_ > 0) Mix_HookMusic(nullptr, nullptr);
}

void SdlMusic::Feed(void* self, uint8_t* stream, int bytes) {
  SdlMusic& music = *static_cast<SdlMusic*>(self);
  const std::lock_guard<std::mutex> lock(music.feeding_);
  if (music.heard_ != nullptr) {
    music.heard_->Render(stream, bytes);
  } else {
    std::memset(stream, 0, static_cast<size_t>(bytes));
  }
}

int SdlMusic::Load(const std::string& path) {
  std::unique_ptr<XmpModule> module = XmpModule::Load(path);
  if (!module) return -1;
  const int handle = next_;
  next_ = next_ == std::numeric_limits<int>::max() ? 0 : next_ + 1;
  modules_[handle] = std::move(module);
  return handle;
}

void SdlMusic::Silence() {
  if (playing_ < 0) return;
  {
    const std::lock_guard<std::mutex> lock(feeding_);
    heard_ = nullptr;
  }
  modules_[playing_]->End();
  playing_ = -1;
}

void SdlMusic::Play(int module) {
  const auto found = modules_.find(module);
  if (found == modules_.end()) return;
  Silence();
  playing_ = module;
  if (rate_ <= 0 || !found->second->Start(rate_)) return;
  const std::lock_guard<std::mutex> lock(feeding_);
  heard_ = found->second.get();
}

void SdlMusic::Stop(int module) {
  if (module >= 0 && module == playing_) Silence();
}

void SdlMusic::Free(int module) {
  Stop(module);
  modules_.erase(module);
}

}  // namespace brinecast
