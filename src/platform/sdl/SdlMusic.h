// The desktop's music: modules played by our own module player, fed to the mixer's
// music hook; one module is heard at a time and it repeats at its end.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace brinecast {

class XmpModule;

class SdlMusic {
 public:
  // rate: the mixer device's frames per second; 0 when there is no device (modules
  // still load, so a missing file is reported the same, but nothing is heard).
  explicit SdlMusic(int rate);
  ~SdlMusic();
  SdlMusic(const SdlMusic&) = delete;
  SdlMusic& operator=(const SdlMusic&) = delete;

  // A handle, or -1 when the file at the UTF-8 path does not load as a module.
  int Load(const std::string& path);
  // Starts the module from its beginning in place of the one heard.
  void Play(int module);
  void Stop(int module);
  void Free(int module);
  bool Playing(int module) const { return module >= 0 && module == playing_; }

  // The mixer's music hook: fills the stream from the module heard, or silence.
  static void Feed(void* self, uint8_t* stream, int bytes);

 private:
  void Silence();

  int rate_;
  std::map<int, std::unique_ptr<XmpModule>> modules_;
  int next_ = 0;
  int playing_ = -1;
  std::mutex feeding_;          // held by the audio thread while it renders
  XmpModule* heard_ = nullptr;  // under feeding_
};

}  // namespace brinecast
