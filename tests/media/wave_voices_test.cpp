// Tests of how the sound collection picks a platform voice for each play and stops them.
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

struct SoundSpec {
  const char* name;
  int maxPlaying;
  uint32_t ms;
  bool looped = false;
};

void AddSounds(TDXWaveList& list, const std::vector<SoundSpec>& sounds) {
  for (const SoundSpec& spec : sounds) {
    TWaveCollectionItem& item = list.Items().Add();
    item.Name = spec.name;
    item.SetMaxPlayingCount(spec.maxPlaying);
    item.Looped = spec.looped;
    item.Wave = WaveOfMs(spec.ms);
  }
}

// A wave list opened on the logging headless device, with its virtual clock.
class WaveVoices : public ::testing::Test {
 protected:
  void Open(const std::vector<SoundSpec>& sounds) {
    AddSounds(list_, sounds);
    list_.Initialize(platform_);
  }
  TWaveCollectionItem& Item(const char* name) { return list_.Items().Find(name); }
  void At(uint64_t t) { platform_.Busy(t - platform_.Ticks()); }

  VoiceLog platform_;
  TDXWaveList list_;
};

TEST_F(WaveVoices, ASingleVoiceSoundRestartsFromItsBeginning) {
  Open({{"Poimal", 1, 100}});
  Item("Poimal").Play(false);
  At(30);
  Item("Poimal").Play(false);  // within its length: the first is cut off
  At(300);
  Item("Poimal").Play(false);  // long over: no stop to record
  EXPECT_EQ(platform_.Sounds(), (std::vector<SoundRecord>{{"play", "Poimal", 0},
                                                          {"stop", "Poimal", 30},
                                                          {"play", "Poimal", 30},
                                                          {"play", "Poimal", 300}}));
}

TEST_F(WaveVoices, AnUnlimitedSoundOverlapsItself) {
  Open({{"Up", 0, 1000}});
  for (uint64_t t : {0, 10, 20}) {
    At(t);
    Item("Up").Play(false);
  }
  EXPECT_TRUE(platform_.stopped.empty());
  for (int voice : platform_.played) EXPECT_TRUE(platform_.SoundPlaying(voice));
  EXPECT_EQ(platform_.Sounds().size(), 3U);
}

TEST_F(WaveVoices, AFinishedVoiceIsChosenFirstAndOnlyAReusedBusyVoiceMovesToTheEnd) {
  Open({{"Two", 2, 100}});
  Item("Two").Play(false);  // voice a, slot 1, plays 0..100
  At(50);
  Item("Two").Play(false);  // voice b, slot 2, plays 50..150
  At(120);
  Item("Two").Play(false);  // slot 1 has finished: voice c there, the list order unchanged
  At(130);
  Item("Two").Play(false);  // both busy: slot 1 (c) is the least recently chosen
  const std::vector<int>& played = platform_.played;
  ASSERT_EQ(played.size(), 4U);
  EXPECT_EQ(platform_.stopped, std::vector<int>{played[2]});
  At(140);
  Item("Two").Play(false);  // now slot 2 (b) comes first
  EXPECT_EQ(platform_.stopped, (std::vector<int>{played[2], played[1]}));
}

TEST_F(WaveVoices, StopAndStopAllEndEveryVoiceOfEveryItem) {
  Open({{"Up", 0, 1000}, {"Level", 0, 1000}, {"Over", 1, 100}});
  Item("Up").Play(false);
  Item("Up").Play(false);
  Item("Level").Play(false);
  Item("Over").Play(false);
  At(500);  // "Over" has ended: nothing of it to stop
  list_.StopAll();
  const std::vector<SoundRecord> stops(platform_.Sounds().begin() + 4, platform_.Sounds().end());
  EXPECT_EQ(stops, (std::vector<SoundRecord>{
                       {"stop", "Up", 500}, {"stop", "Up", 500}, {"stop", "Level", 500}}));
  list_.StopAll();  // nothing left playing
  EXPECT_EQ(platform_.Sounds().size(), 7U);
}

TEST_F(WaveVoices, ALoopedSoundPlaysOnItsMainVoiceUntilStopped) {
  Open({{"Hum", 0, 100, true}});
  Item("Hum").Play(false);
  At(5000);
  Item("Hum").Play(false);  // restarts the one voice
  At(9000);
  Item("Hum").Stop();
  EXPECT_EQ(platform_.Sounds(), (std::vector<SoundRecord>{{"play", "Hum", 0},
                                                          {"stop", "Hum", 5000},
                                                          {"play", "Hum", 5000},
                                                          {"stop", "Hum", 9000}}));
}

TEST(WaveVoicesAlone, WithoutADeviceOrARecordingNothingPlays) {
  HeadlessPlatform silent;
  silent.SetSoundDevice(false);
  TDXWaveList list;
  AddSounds(list, {{"Up", 0, 1000}});
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

TEST(WaveVoicesAlone, WaitingReturnsWhenTheSoundHasEndedAndNeverHangs) {
  HeadlessPlatform platform;
  TDXWaveList list;
  AddSounds(list, {{"Beep", 0, 100}});
  list.Initialize(platform);
  list.Items().Find("Beep").Play(true);
  EXPECT_GE(platform.Ticks(), 100U);
  EXPECT_LT(platform.Ticks(), 120U);

  // An event waiting keeps the headless clock still: the wait gives up after its polls.
  HeadlessPlatform busy;
  busy.QueueEvent({});
  TDXWaveList other;
  AddSounds(other, {{"Beep", 0, 100}});
  other.Initialize(busy);
  other.Items().Find("Beep").Play(true);
  EXPECT_EQ(busy.Ticks(), 0U);
}

}  // namespace
}  // namespace brinecast
