#include <gtest/gtest.h>

#include <vector>

#include "media/WaveCollection.h"
#include "platform/WaveBytes.h"
#include "platform/headless/HeadlessPlatform.h"

namespace brinecast {
namespace {

// The headless device, also noting which voice each play and each stop of a playing
// voice used, so the choice of voice can be checked.
class VoiceLog : public HeadlessPlatform {
 public:
  int SoundPlay(int sound, bool looped) override {
    const int voice = HeadlessPlatform::SoundPlay(sound, looped);
    played.push_back(voice);
    return voice;
  }
  void SoundStop(int voice) override {
    if (SoundPlaying(voice)) stopped.push_back(voice);
    HeadlessPlatform::SoundStop(voice);
  }
  std::vector<int> played;
  std::vector<int> stopped;
};

// 8-bit mono at 1000 Hz: one frame is one millisecond.
const std::vector<uint8_t>& WaveOfMs(uint32_t ms) {
  static const std::vector<uint8_t> w100 = test::MakeWave(test::Pcm(1, 1000, 8, 100));
  static const std::vector<uint8_t> w1000 = test::MakeWave(test::Pcm(1, 1000, 8, 1000));
  return ms == 100 ? w100 : w1000;
}

TWaveCollectionItem& AddSound(TDXWaveList& list, const char* name, int maxPlaying, uint32_t ms) {
  TWaveCollectionItem& item = list.Items().Add();
  item.Name = name;
  item.SetMaxPlayingCount(maxPlaying);
  item.Wave = WaveOfMs(ms);
  return item;
}

void At(HeadlessPlatform& platform, uint64_t t) {
  platform.Busy(t - platform.Ticks());
}

TEST(WaveVoices, ASingleVoiceSoundRestartsFromItsBeginning) {
  HeadlessPlatform platform;
  TDXWaveList list;
  AddSound(list, "Poimal", 1, 100);
  list.Initialize(platform);
  TWaveCollectionItem& poimal = list.Items().Find("Poimal");
  poimal.Play(false);
  At(platform, 30);
  poimal.Play(false);  // within its length: the first is cut off
  At(platform, 300);
  poimal.Play(false);  // long over: no stop to record
  EXPECT_EQ(platform.Sounds(), (std::vector<SoundRecord>{{"play", "Poimal", 0},
                                                         {"stop", "Poimal", 30},
                                                         {"play", "Poimal", 30},
                                                         {"play", "Poimal", 300}}));
}

TEST(WaveVoices, AnUnlimitedSoundOverlapsItself) {
  VoiceLog platform;
  TDXWaveList list;
  AddSound(list, "Up", 0, 1000);
  list.Initialize(platform);
  TWaveCollectionItem& up = list.Items().Find("Up");
  for (uint64_t t : {0, 10, 20}) {
    At(platform, t);
    up.Play(false);
  }
  EXPECT_TRUE(platform.stopped.empty());
  for (int voice : platform.played) EXPECT_TRUE(platform.SoundPlaying(voice));
  EXPECT_EQ(platform.Sounds().size(), 3U);
}

TEST(WaveVoices, AFinishedVoiceIsChosenFirstAndOnlyAReusedBusyVoiceMovesToTheEnd) {
  VoiceLog platform;
  TDXWaveList list;
  AddSound(list, "Two", 2, 100);
  list.Initialize(platform);
  TWaveCollectionItem& two = list.Items().Find("Two");
  two.Play(false);  // voice a, slot 1, plays 0..100
  At(platform, 50);
  two.Play(false);  // voice b, slot 2, plays 50..150
  At(platform, 120);
  two.Play(false);  // slot 1 has finished: voice c there, the list order unchanged
  At(platform, 130);
  two.Play(false);  // both busy: slot 1 (c) is the least recently chosen
  ASSERT_EQ(platform.played.size(), 4U);
  EXPECT_EQ(platform.stopped, std::vector<int>{platform.played[2]});
  At(platform, 140);
  two.Play(false);  // now slot 2 (b) comes first
  EXPECT_EQ(platform.stopped, (std::vector<int>{platform.played[2], platform.played[1]}));
}

TEST(WaveVoices, StopAndStopAllEndEveryVoiceOfEveryItem) {
  HeadlessPlatform platform;
  TDXWaveList list;
  AddSound(list, "Up", 0, 1000);
  AddSound(list, "Level", 0, 1000);
  AddSound(list, "Over", 1, 100);
  list.Initialize(platform);
  list.Items().Find("Up").Play(false);
  list.Items().Find("Up").Play(false);
  list.Items().Find("Level").Play(false);
  list.Items().Find("Over").Play(false);
  At(platform, 500);  // "Over" has ended: nothing of it to stop
  list.StopAll();
  const std::vector<SoundRecord> stops(platform.Sounds().begin() + 4, platform.Sounds().end());
  EXPECT_EQ(stops, (std::vector<SoundRecord>{
                       {"stop", "Up", 500}, {"stop", "Up", 500}, {"stop", "Level", 500}}));
  list.StopAll();  // nothing left playing
  EXPECT_EQ(platform.Sounds().size(), 7U);
}

TEST(WaveVoices, ALoopedSoundPlaysOnItsMainVoiceUntilStopped) {
  HeadlessPlatform platform;
  TDXWaveList list;
  TWaveCollectionItem& hum = AddSound(list, "Hum", 0, 100);
  hum.Looped = true;
  list.Initialize(platform);
  hum.Play(false);
  At(platform, 5000);
  hum.Play(false);  // restarts the one voice
  At(platform, 9000);
  hum.Stop();
  EXPECT_EQ(platform.Sounds(), (std::vector<SoundRecord>{{"play", "Hum", 0},
                                                         {"stop", "Hum", 5000},
                                                         {"play", "Hum", 5000},
                                                         {"stop", "Hum", 9000}}));
}

TEST(WaveVoices, WithoutADeviceOrARecordingNothingPlays) {
  HeadlessPlatform silent;
  silent.SetSoundDevice(false);
  TDXWaveList list;
  AddSound(list, "Up", 0, 1000);
  list.Initialize(silent);
  TWaveCollectionItem& up = list.Items().Find("Up");
  EXPECT_FALSE(up.Initialized());
  up.Play(false);
  up.Play(true);  // nothing to wait for
  up.Stop();
  list.StopAll();
  EXPECT_TRUE(silent.Sounds().empty());
  EXPECT_EQ(silent.Ticks(), 0U);

  HeadlessPlatform platform;
  TDXWaveList broken;
  broken.Items().Add().Name = "Empty";  // no recording
  broken.Initialize(platform);
  EXPECT_FALSE(broken.Items().Find("Empty").Initialized());
  broken.Items().Find("Empty").Play(false);
  EXPECT_TRUE(platform.Sounds().empty());

  TWaveCollectionItem never;  // not opened on any device
  never.Wave = WaveOfMs(100);
  never.Play(false);
  never.Stop();
  EXPECT_FALSE(never.Initialized());
}

TEST(WaveVoices, WaitingReturnsWhenTheSoundHasEndedAndNeverHangs) {
  HeadlessPlatform platform;
  TDXWaveList list;
  AddSound(list, "Beep", 0, 100);
  list.Initialize(platform);
  list.Items().Find("Beep").Play(true);
  EXPECT_GE(platform.Ticks(), 100U);
  EXPECT_LT(platform.Ticks(), 120U);

  // An event waiting keeps the headless clock still: the wait gives up after its polls.
  HeadlessPlatform busy;
  busy.QueueEvent({});
  TDXWaveList other;
  AddSound(other, "Beep", 0, 100);
  other.Initialize(busy);
  other.Items().Find("Beep").Play(true);
  EXPECT_EQ(busy.Ticks(), 0U);
}

}  // namespace
}  // namespace brinecast
