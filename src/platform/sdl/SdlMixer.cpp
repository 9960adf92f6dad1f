// Opens and closes the mixer's audio device.
#include "platform/sdl/SdlMixer.h"

#include <SDL.h>
#include <SDL_mixer.h>

namespace brinecast {

namespace {
constexpr int kRate = 44100;
constexpr int kChunkFrames = 1024;  // about 23 ms: short enough for effects to feel immediate
}  // namespace

SdlMixer::SdlMixer() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return;
  // No format changes allowed: SDL converts for the device, so the music player
  // can always render 16-bit stereo.
  if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 2, kChunkFrames, nullptr, 0) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  int rate = 0;
  uint16_t format = 0;
  int channels = 0;
  if (Mix_QuerySpec(&rate, &format, &channels) == 0 || format != AUDIO_S16SYS || channels != 2) {
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return;
  }
  rate_ = rate;
}

SdlMixer::~SdlMixer() {
  if (!Open()) return;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace brinecast
