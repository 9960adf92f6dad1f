// The desktop's sound device: SDL's audio opened through the mixer at 16-bit stereo,
// or nothing at all when the machine has no usable device (the game runs silent).
#pragma once

namespace brinecast {

class SdlMixer {
 public:
  SdlMixer();
  ~SdlMixer();
  SdlMixer(const SdlMixer&) = delete;
  SdlMixer& operator=(const SdlMixer&) = delete;

  bool Open() const { return rate_ > 0; }
  // Frames per second the device plays at; 0 without a device.
  int Rate() const { return rate_; }

 private:
  int rate_ = 0;
};

}  // namespace brinecast
