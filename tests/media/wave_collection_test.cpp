// Tests of the sound collection: finding sounds by name, the playing limit and the window's
// four sounds.
#include <gtest/gtest.h>

#include "app/TForm1.h"
#include "media/EmbeddedSounds.h"
#include "media/WaveCollection.h"
#include "platform/headless/HeadlessPlatform.h"
#include "support/OfflineSetup.h"

namespace brinecast {
namespace {

TEST(WaveCollection, FindIgnoresCaseAndTheLastAddedOfEqualNamesWins) {
  TWaveCollection waves;
  waves.Add().Name = "Splash";
  waves.Add().Name = "SPLASH";
  waves.Add().Name = "Other";
  EXPECT_EQ(&waves.Find("splash"), &waves.Items(1));
  EXPECT_EQ(&waves.Find("oThEr"), &waves.Items(2));
  try {
    waves.Find("Missing");
    FAIL() << "no error";
  } catch (const EWaveCollectionError& error) {
    EXPECT_STREQ(error.what(), "Wave 'Missing' not found");
  }
  EXPECT_THROW(waves.Items(3), EWaveCollectionError);
  EXPECT_THROW(waves.Items(-1), EWaveCollectionError);
}

TEST(WaveCollection, NegativePlayingLimitIsKeptAsNoLimit) {
  TWaveCollectionItem item;
  item.SetMaxPlayingCount(-3);
  EXPECT_EQ(item.MaxPlayingCount(), 0);
  item.SetMaxPlayingCount(2);
  EXPECT_EQ(item.MaxPlayingCount(), 2);
}

TEST(WaveCollection, TheWindowHoldsItsFourEmbeddedSoundsInOrder) {
  HeadlessPlatform platform;
  TForm1 form(testing::OfflineSetup(platform, "/game/", 1));
  TWaveCollection& waves = form.DXWaveList1().Items();
  struct Expected {
    const char* name;
    int maxPlayingCount;
  };
  const Expected expected[] = {{"Up", 0}, {"Poimal", 1}, {"Level", 0}, {"Over", 1}};
  ASSERT_EQ(waves.Count(), 4);
  for (int i = 0; i < 4; ++i) {
    SCOPED_TRACE(expected[i].name);
    const TWaveCollectionItem& item = waves.Items(i);
    EXPECT_EQ(item.Name, expected[i].name);
    EXPECT_FALSE(item.Looped);
    EXPECT_EQ(item.MaxPlayingCount(), expected[i].maxPlayingCount);
    ASSERT_GT(item.Wave.size(), 44U);
    EXPECT_EQ(item.Wave.data(), EmbeddedWave(expected[i].name).data());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(item.Wave.data()), 4), "RIFF");
  }
}

}  // namespace
}  // namespace brinecast
