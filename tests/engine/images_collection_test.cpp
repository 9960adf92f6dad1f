// Image collections: lookup by name, the pattern grid, the colour table and the image list
// component.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "engine/DXImageList.h"
#include "engine/PictureCollection.h"

namespace brinecast {
namespace {

Picture SolidPicture(int width, int height, uint32_t rgb = 0x336699) {
  Picture p;
  p.width = width;
  p.height = height;
  p.bitCount = 24;
  p.pixels.assign(static_cast<size_t>(width) * height, rgb);
  return p;
}

std::string FindError(const TPictureCollection& c, const std::string& name) {
  try {
    c.Find(name);
  } catch (const EPictureCollectionError& e) {
    return e.what();
  }
  return "found";
}

TEST(PictureCollectionFind, IgnoresCaseAndTheLastNamedWins) {
  TPictureCollection c;
  TPictureCollectionItem* fish = c.Add();
  fish->SetName("Fish");
  TPictureCollectionItem* upper = c.Add();
  upper->SetName("A");
  TPictureCollectionItem* lower = c.Add();
  lower->SetName("a");
  c.Add()->SetName("Vodorosl1");

  EXPECT_EQ(c.Find("fish"), fish);
  EXPECT_EQ(c.Find("FISH"), fish);
  EXPECT_EQ(c.Find("A"), lower);
  EXPECT_EQ(c.Find("VODOROSL1")->Name(), "Vodorosl1");
  upper->SetName("A");  // named again: now the newest
  EXPECT_EQ(c.Find("a"), upper);
  upper->SetName("Other");  // renaming away leaves the other one findable
  EXPECT_EQ(c.Find("a"), lower);

  EXPECT_EQ(FindError(c, "Kruk"), "Image 'Kruk' not found");
  EXPECT_EQ(FindError(c, "Fis"), "Image 'Fis' not found");
  EXPECT_EQ(FindError(c, ""), "Image '' not found");

  EXPECT_EQ(c.Count(), 4);
  EXPECT_EQ(c.Items(0), fish);
  EXPECT_EQ(c.Items(3)->Name(), "Vodorosl1");
  EXPECT_THROW(c.Items(4), EPictureCollectionError);
  EXPECT_THROW(c.Items(-1), EPictureCollectionError);
  c.Clear();
  EXPECT_EQ(FindError(c, "fish"), "Image 'fish' not found");
}

TEST(PictureCollectionFind, NamesSharingABucketStayApart) {
  // Same length, first and second-to-last letters: the same hash bucket.
  TPictureCollection c;
  TPictureCollectionItem* first = c.Add();
  first->SetName("Obj1");
  TPictureCollectionItem* second = c.Add();
  second->SetName("Oxj2");
  EXPECT_EQ(c.Find("OBJ1"), first);
  EXPECT_EQ(c.Find("OXJ2"), second);
}

TEST(PictureCollectionFind, ManyItemsOfOneNameKeepTheLastNamedFirst) {
  // An archive of many tiny items names each once; how fast that stays is
  // measured by BM_NameManyItems.
  constexpr int kItems = 20000;
  TPictureCollection c;
  for (int i = 0; i < kItems; ++i) c.Add()->SetName("");
  EXPECT_EQ(c.Find(""), c.Items(kItems - 1));
  c.Items(kItems - 1)->SetName("Other");
  EXPECT_EQ(c.Find(""), c.Items(kItems - 2));
  c.Items(0)->SetName("");
  EXPECT_EQ(c.Find(""), c.Items(0));
}

TEST(PictureCollectionItemGrid, PatternsBeforeAndAfterPreparing) {
  struct Case {
    int picW, picH, patW, patH, skipW, skipH;
    int countBefore, countAfter;
    int probe;
    TRect probeRect;
  };
  const Case cases[] = {
      {300, 50, 50, 50, 0, 0, 6, 6, 5, {250, 0, 300, 50}},
      {290, 50, 50, 50, 10, 0, 5, 5, 4, {240, 0, 290, 50}},
      {290, 50, 50, 50, 10, 0, 5, 5, 1, {60, 0, 110, 50}},
      {120, 90, 0, 0, 0, 0, 1, 1, 0, {0, 0, 120, 90}},          // whole picture
      {100, 70, 40, 30, 5, 5, 4, 4, 3, {45, 35, 85, 65}},       // row by row
      {55, 20, 50, 20, 10, 0, 0, 1, 0, {0, 0, 50, 20}},         // the two rules disagree
      {40, 40, 50, 50, 0, 0, 0, 0, 0, {}},                      // pattern larger than picture
      {40, 40, 10, 10, -10, 0, 0, 0, 0, {}},                    // nonsense skip: no patterns
      {10, 10, 1, 1, INT_MAX, INT_MAX, 0, 1, 0, {0, 0, 1, 1}},  // cell beyond int
  };
  for (const Case& c : cases) {
    TPictureCollectionItem item;
    item.Picture = SolidPicture(c.picW, c.picH);
    item.PatternWidth = c.patW;
    item.PatternHeight = c.patH;
    item.SkipWidth = c.skipW;
    item.SkipHeight = c.skipH;
    SCOPED_TRACE(std::to_string(c.picW) + "x" + std::to_string(c.picH));
    EXPECT_EQ(item.PatternCount(), c.countBefore);
    item.Prepare();
    EXPECT_TRUE(item.Initialized());
    EXPECT_EQ(item.PatternCount(), c.countAfter);
    EXPECT_EQ(item.PatternRect(c.probe), c.probeRect);
    EXPECT_EQ(item.Width(), c.patW > 0 ? c.patW : c.picW);
    item.Finalize();
    EXPECT_EQ(item.PatternCount(), c.countBefore);
  }
}

TEST(PictureCollectionItemGrid, ItemsWithoutUsablePictureHaveNoPatterns) {
  TPictureCollectionItem none;
  none.Prepare();
  EXPECT_EQ(none.PatternCount(), 0);
  EXPECT_EQ(none.Width(), 0);

  TPictureCollectionItem shortData;  // fewer pixels than the size says
  shortData.Picture = SolidPicture(10, 10);
  shortData.Picture->pixels.resize(50);
  shortData.Prepare();
  EXPECT_FALSE(shortData.Initialized());
  EXPECT_EQ(shortData.PatternCount(), 0);
}

TEST(PictureCollectionColorTable, FixedColoursThenPaletteColoursOnce) {
  TPictureCollection c;
  c.MakeColorTable();
  auto entry = [&c](int i) {
    return std::vector<int>{c.ColorTable[i * 4 + 2], c.ColorTable[i * 4 + 1], c.ColorTable[i * 4],
                            c.ColorTable[i * 4 + 3]};
  };
  EXPECT_EQ(entry(7), (std::vector<int>{192, 192, 192, 0}));
  EXPECT_EQ(entry(249), (std::vector<int>{255, 0, 0, 0}));
  EXPECT_EQ(entry(252), (std::vector<int>{0, 0, 255, 0}));
  EXPECT_EQ(entry(8), (std::vector<int>{0, 0, 0, 0}));

  Picture paletted = SolidPicture(1, 1);
  paletted.bitCount = 8;
  paletted.palette = {0x102030, 0xFF0000, 0x405060, 0x102030};
  c.Add()->Picture = paletted;
  c.Add();  // no picture
  Picture more = SolidPicture(1, 1);
  more.palette = {0x405060, 0x708090};
  c.Add()->Picture = more;
  c.MakeColorTable();
  EXPECT_EQ(entry(8), (std::vector<int>{0x10, 0x20, 0x30, 0}));
  EXPECT_EQ(entry(9), (std::vector<int>{0x40, 0x50, 0x60, 0}));  // pure red was fixed already
  EXPECT_EQ(entry(10), (std::vector<int>{0x70, 0x80, 0x90, 0}));
  EXPECT_EQ(entry(11), (std::vector<int>{0, 0, 0, 0}));
}

TEST(DXImageListComponent, PreparesWithItsDrawingComponent) {
  TDXDraw draw(64, 48);
  TDXImageList list(draw);
  TPictureCollectionItem* item = list.Items().Add();
  item->Picture = SolidPicture(20, 10);
  item->PatternWidth = 10;
  EXPECT_THROW(list.Items().Prepare(), EPictureCollectionError);
  try {
    list.Items().Prepare();
  } catch (const EPictureCollectionError& e) {
    EXPECT_STREQ(e.what(), "TPictureCollection cannot be initialized");
  }

  draw.Initialize();
  EXPECT_TRUE(item->Initialized());
  EXPECT_EQ(item->PatternCount(), 2);
  draw.Initialize();  // a mode switch rebuilds everything
  EXPECT_TRUE(item->Initialized());
  draw.Finalize();
  EXPECT_FALSE(item->Initialized());

  draw.Initialize();
  TDXImageList late(draw);  // made after the surface exists: prepared at once
  EXPECT_EQ(late.DXDraw(), &draw);
}

}  // namespace
}  // namespace brinecast
