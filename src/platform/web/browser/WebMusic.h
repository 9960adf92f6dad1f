// The browser's music: one module heard at a time, rendered on demand into the mixer.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "platform/XmpModule.h"

namespace brinecast {

class WebMusic {
 public:
  explicit WebMusic(int rate) : rate_(rate) {}

  int Load(const std::string& path);  // a handle, or -1
  void Play(int module);              // replaces the one heard
  void Stop(int module);
  void Free(int module);
  // Whether a module is heard; Render then gives its next frames (16-bit stereo).
  bool Heard() const { return heard_ != nullptr; }
  void Render(int16_t* out, size_t frames);

 private:
  void Silence();

  int rate_;
  std::map<int, std::unique_ptr<XmpModule>> modules_;
  XmpModule* heard_ = nullptr;
  int playing_ = -1;
  int next_ = 0;
};

}  // namespace brinecast
