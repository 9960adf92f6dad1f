// The browser's mixer: voices last as long as their sound at any pair of rates, are read between
// samples, never hand out a handle twice, and leave the music's samples as they were rendered.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/web/VoiceMixer.h"

namespace brinecast {
namespace {

DecodedWave Ramp(uint32_t rate, size_t frames) {
  DecodedWave wave;
  wave.rate = rate;
  for (size_t i = 0; i < frames; ++i) {
    const float v = static_cast<float>(i) / static_cast<float>(frames);
    wave.frames.push_back(v);
    wave.frames.push_back(-v);
  }
  return wave;
}

// Output frames mixed, one at a time, until the voice has ended (or a limit).
size_t FramesHeard(VoiceMixer& mixer, int voice) {
  float out[2];
  size_t heard = 0;
  while (mixer.Playing(voice) && heard < 1000000) {
    mixer.Mix(out, 1, nullptr);
    ++heard;
  }
  return heard;
}

TEST(VoiceMixer, AVoiceLastsAsLongAsItsSoundAtAnyPairOfRates) {
  struct Case {
    uint32_t soundRate;
    uint32_t outRate;
    size_t frames;
  };
  for (const Case& c : {Case{44100, 44100, 300}, Case{11025, 44100, 100}, Case{22050, 48000, 441},
                        Case{48000, 44100, 960}, Case{8000, 96000, 7}}) {
    SCOPED_TRACE(std::to_string(c.soundRate) + " -> " + std::to_string(c.outRate));
    VoiceMixer mixer(c.outRate);
    const int voice = mixer.Play(mixer.AddSound(Ramp(c.soundRate, c.frames)), false);
    const double expected = static_cast<double>(c.frames) * c.outRate / c.soundRate;
    EXPECT_NEAR(static_cast<double>(FramesHeard(mixer, voice)), expected, 1.0);
    EXPECT_FALSE(mixer.Playing(voice));
  }
}

TEST(VoiceMixer, ReadsBetweenSamplesAndAddsVoicesOverTheMusic) {
  VoiceMixer mixer(200);
  DecodedWave wave;
  wave.rate = 100;  // two output frames to each sound frame
  wave.frames = {0.0F, 0.5F, 0.4F, -0.5F};
  mixer.Play(mixer.AddSound(wave), false);
  const std::vector<int16_t> music = {16384, -8192, 16384, -8192, 32767, -32768, 0, 0, 0, 0};
  size_t played = 0;
  auto fill = [&](int16_t* out, size_t frames) {
    for (size_t i = 0; i < frames * 2; ++i) out[i] = music[played++];
  };
  std::vector<float> out(10);
  mixer.Mix(out.data(), 5, fill);
  const std::vector<float> expected = {0.5F, 0.25F,   // the music and the first sample
                                       0.7F, -0.25F,  // halfway to the second
                                       1.0F, -1.0F,   // held within range
                                       0.4F, -0.5F,   // the last sample held to the sound's end
                                       0.0F, 0.0F};   // the voice has ended
  for (size_t i = 0; i < out.size(); ++i) EXPECT_NEAR(out[i], expected[i], 1e-6) << "sample " << i;
}

TEST(VoiceMixer, MusicAloneComesOutAsRendered) {
  VoiceMixer mixer(48000);
  std::vector<int16_t> rendered;
  for (int i = -32768; i < 32768; i += 257) rendered.push_back(static_cast<int16_t>(i));
  rendered.push_back(32767);
  if (rendered.size() % 2 != 0) rendered.push_back(0);
  std::vector<float> out(rendered.size());
  mixer.Mix(out.data(), rendered.size() / 2,
            [&](int16_t* to, size_t frames) { std::copy_n(rendered.begin(), frames * 2, to); });
  for (size_t i = 0; i < rendered.size(); ++i) {
    ASSERT_EQ(std::lround(out[i] * 32768.0F), rendered[i]) << "sample " << i;
  }
}

TEST(VoiceMixer, LoopsUntilStoppedAndNeverReusesAHandle) {
  VoiceMixer mixer(1000);
  const int sound = mixer.AddSound(Ramp(1000, 10));
  const int looped = mixer.Play(sound, true);
  std::vector<float> out(2 * 100);
  mixer.Mix(out.data(), 100, nullptr);
  EXPECT_TRUE(mixer.Playing(looped));
  EXPECT_NEAR(out[2 * 13], 0.3F, 1e-6);  // its fourth frame again, after one round
  const int once = mixer.Play(sound, false);
  mixer.Skip(10);
  EXPECT_FALSE(mixer.Playing(once));
  const int next = mixer.Play(sound, false);
  EXPECT_NE(next, once);
  EXPECT_NE(next, looped);
  EXPECT_FALSE(mixer.Playing(once));
  mixer.Stop(looped);
  EXPECT_FALSE(mixer.Playing(looped));
  EXPECT_TRUE(mixer.Playing(next));
  EXPECT_EQ(mixer.Play(sound + 1, false), -1);
  EXPECT_EQ(mixer.Play(-1, false), -1);
}

TEST(VoiceMixer, SkippingEndsVoicesWhenMixingWould) {
  VoiceMixer skipped(44100);
  VoiceMixer mixed(44100);
  const int a = skipped.Play(skipped.AddSound(Ramp(22050, 50)), false);
  const int b = mixed.Play(mixed.AddSound(Ramp(22050, 50)), false);
  std::vector<float> out(2 * 99);
  skipped.Skip(99);
  mixed.Mix(out.data(), 99, nullptr);
  EXPECT_EQ(skipped.Playing(a), mixed.Playing(b));
  EXPECT_TRUE(skipped.Playing(a));
  skipped.Skip(1);
  mixed.Mix(out.data(), 1, nullptr);
  EXPECT_FALSE(skipped.Playing(a));
  EXPECT_FALSE(mixed.Playing(b));
}

TEST(VoiceMixer, AnEmptySoundHasEndedAtOnce) {
  VoiceMixer mixer(44100);
  const int voice = mixer.Play(mixer.AddSound(DecodedWave{44100, {}}), false);
  EXPECT_GE(voice, 0);
  EXPECT_FALSE(mixer.Playing(voice));
}

}  // namespace
}  // namespace brinecast
