// The play-field archive as the game reads it: every picture it looks up, with the frames
// and sizes the sprites rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "BuiltArchive.h"
#include "engine/Color.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

const ArchiveContents& GameImgs() {
  return BuiltArchive("GameImgs.dxg");
}

const ArchiveItem* Find(const std::string& name) {
  return FindItem(GameImgs(), name);
}

// One pattern cut out of an item, with its pixels told apart as visible or keyed.
struct Pattern {
  int width = 0;
  int height = 0;
  std::vector<bool> visible;

  bool At(int x, int y) const { return visible[static_cast<size_t>(y * width + x)]; }
  int VisibleCount() const {
    return static_cast<int>(std::count(visible.begin(), visible.end(), true));
  }
  int VisibleInRow(int y) const {
    int n = 0;
    for (int x = 0; x < width; ++x) n += At(x, y) ? 1 : 0;
    return n;
  }
  // Mean x of the visible pixels of a row (the row must have some).
  double CentreOfRow(int y) const {
    double sum = 0;
    int n = 0;
    for (int x = 0; x < width; ++x) {
      if (At(x, y)) {
        sum += x;
        ++n;
      }
    }
    return sum / n;
  }
};

struct Grid {
  int width = 0;
  int height = 0;
  int columns = 0;
  int rows = 0;
  int Count() const { return columns * rows; }
};

Grid GridOf(const ArchiveItem& item) {
  const Picture& p = *item.Picture;
  Grid g;
  g.width = item.PatternWidth > 0 ? item.PatternWidth : p.width;
  g.height = item.PatternHeight > 0 ? item.PatternHeight : p.height;
  g.columns = (p.width + item.SkipWidth) / (g.width + item.SkipWidth);
  g.rows = (p.height + item.SkipHeight) / (g.height + item.SkipHeight);
  return g;
}

uint32_t KeyAsPixel(const ArchiveItem& item) {
  return SwapRedBlue(item.TransparentColor);
}

Pattern Cut(const ArchiveItem& item, int index) {
  const Grid g = GridOf(item);
  const Picture& p = *item.Picture;
  const int left = (index % g.columns) * (g.width + item.SkipWidth);
  const int top = (index / g.columns) * (g.height + item.SkipHeight);
  const uint32_t key = KeyAsPixel(item);
  Pattern out{g.width, g.height, {}};
  for (int y = 0; y < g.height; ++y) {
    for (int x = 0; x < g.width; ++x) {
      const uint32_t px = p.pixels[static_cast<size_t>((top + y) * p.width + left + x)] & 0xFFFFFF;
      out.visible.push_back(!item.Transparent || px != key);
    }
  }
  return out;
}

std::vector<std::string> Names(const std::string& stem, const std::string& suffix) {
  std::vector<std::string> names;
  for (int kind = 1; kind <= 10; ++kind) names.push_back(stem + std::to_string(kind) + suffix);
  return names;
}

struct Expect {
  std::string name;
  int minFrames;
  int maxFrames;
  int minWidth, maxWidth;
  int minHeight, maxHeight;
};

std::vector<Expect> Expectations() {
  std::vector<Expect> e = {
      {"Player", 1, 99, 120, 160, 90, 120},    {"Udochka", 3, 99, 20, 120, 55, 80},
      {"Poplavok", 1, 99, 6, 30, 20, 60},      {"Leska", 1, 1, 1, 12, 1, 1},
      {"Kruk", 1, 99, 6, 24, 10, 30},          {"Vodorosl1", 2, 99, 20, 160, 215, 250},
      {"Vodorosl2", 2, 99, 20, 120, 100, 140}, {"Volna", 1, 99, 900, 2000, 20, 40},
      {"Puzir", 1, 99, 4, 30, 4, 30},          {"Puziri", 1, 99, 6, 40, 6, 40},
      {"Time1", 1, 1, 431, 440, 12, 20},       {"Time2", 2, 2, 1, 64, 12, 20},
  };
  for (int kind = 1; kind <= 5; ++kind) {
    e.push_back({"Obj" + std::to_string(kind), 5, 99, 16, 90, 16, 60});
  }
  for (const char* side : {"L", "R"}) {
    for (const std::string& n : Names("Fish", side)) e.push_back({n, 3, 6, 30, 200, 12, 299});
  }
  return e;
}

TEST(GameImgs, EveryPictureTheGameLooksUpHasItsFramesAndSize) {
  for (const Expect& e : Expectations()) {
    SCOPED_TRACE(e.name);
    const ArchiveItem* item = Find(e.name);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Picture.has_value());
    const Grid g = GridOf(*item);
    EXPECT_GE(g.Count(), e.minFrames);
    EXPECT_LE(g.Count(), e.maxFrames);
    EXPECT_GE(g.width, e.minWidth);
    EXPECT_LE(g.width, e.maxWidth);
    EXPECT_GE(g.height, e.minHeight);
    EXPECT_LE(g.height, e.maxHeight);
    // No stray strip: the picture is the patterns and nothing else.
    EXPECT_EQ(item->Picture->width, g.columns * g.width);
    EXPECT_EQ(item->Picture->height, g.rows * g.height);
  }
}

TEST(GameImgs, KindSpecificShapes) {
  // The long fish is hooked by its leading 55 pixels and snagged behind them.
  EXPECT_GE(GridOf(*Find("Fish10L")).width, 120);
  EXPECT_GE(GridOf(*Find("Fish10R")).width, 120);
  // The floor dweller swims at y 500 and must not sink through the floor (about y 545).
  EXPECT_LE(500 + GridOf(*Find("Fish8L")).height, 545);
  // The clam lies at y 490.
  EXPECT_LE(490 + GridOf(*Find("Obj5")).height, 545);
  // The bar is drawn beneath the gauge frame, the same height.
  EXPECT_EQ(GridOf(*Find("Time2")).height, GridOf(*Find("Time1")).height);
}

TEST(GameImgs, GoalIconsAreItemsTwentyOneToThirtyAndFitTheTopStrip) {
  struct Slot {
    int x, y, maxWidth;
  };
  const Slot slots[10] = {{99, 5, 66},  {169, 3, 64}, {235, 10, 45}, {282, 8, 62},  {346, 10, 48},
                          {396, 5, 84}, {482, 5, 40}, {524, 8, 62},  {588, 3, 116}, {706, 12, 90}};
  ASSERT_GE(GameImgs().items.size(), 31u);
  for (int kind = 1; kind <= 10; ++kind) {
    SCOPED_TRACE(kind);
    const ArchiveItem& icon = GameImgs().items[static_cast<size_t>(kind + 20)];
    ASSERT_TRUE(icon.Picture.has_value());
    const Grid g = GridOf(icon);
    const Slot& s = slots[kind - 1];
    EXPECT_LE(g.width, s.maxWidth);
    EXPECT_LT(s.y + g.height, 40) << "reaches the counter row";
    EXPECT_GT(Cut(icon, 0).VisibleCount(), g.width * g.height / 4);
  }
}

// Every keyed frame shows something and is cut out of a transparent background.
TEST(GameImgs, KeyedFramesHaveTransparentBackgroundsAndVisibleArt) {
  for (const ArchiveItem& item : GameImgs().items) {
    if (!item.Transparent) continue;
    SCOPED_TRACE(item.name);
    ASSERT_TRUE(item.Picture.has_value());
    const Grid g = GridOf(item);
    for (int i = 0; i < g.Count(); ++i) {
      SCOPED_TRACE(i);
      const Pattern p = Cut(item, i);
      const int area = p.width * p.height;
      EXPECT_GT(p.VisibleCount(), 0);
      if (p.height > 1) {
        EXPECT_LT(p.VisibleCount(), area) << "no transparent pixel at all";
      }
    }
  }
}

// The mirrored fish must stay the mirror of the drawn ones, frame by frame.
TEST(GameImgs, FishSwimmingLeftMirrorThoseSwimmingRight) {
  for (int kind = 1; kind <= 10; ++kind) {
    SCOPED_TRACE(kind);
    const ArchiveItem& right = *Find("Fish" + std::to_string(kind) + "L");
    const ArchiveItem& left = *Find("Fish" + std::to_string(kind) + "R");
    ASSERT_EQ(GridOf(right).Count(), GridOf(left).Count());
    for (int i = 0; i < GridOf(right).Count(); ++i) {
      const Pattern a = Cut(right, i);
      const Pattern b = Cut(left, i);
      ASSERT_EQ(a.width, b.width);
      ASSERT_EQ(a.height, b.height);
      int differ = 0;
      for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) differ += a.At(x, y) != b.At(a.width - 1 - x, y) ? 1 : 0;
      }
      // Rasterising the mirrored outline may round a few edge pixels the other way.
      EXPECT_LE(differ, a.width * a.height / 50) << "frame " << i;
    }
  }
}

// The rod's line, the float, the stretched line and the hook's eye hang on one axis.
TEST(GameImgs, RigPiecesMeetOnTheLine) {
  const Pattern line = Cut(*Find("Leska"), 0);
  ASSERT_GT(line.VisibleInRow(0), 0);
  const double axis = line.CentreOfRow(0);

  const Pattern flt = Cut(*Find("Poplavok"), 0);
  ASSERT_GT(flt.VisibleInRow(flt.height - 1), 0) << "the float's line must reach its bottom";
  EXPECT_NEAR(flt.CentreOfRow(flt.height - 1), axis, 1.0);

  const Pattern hook = Cut(*Find("Kruk"), 0);
  ASSERT_GT(hook.VisibleInRow(0), 0) << "the hook's eye must touch its top";
  EXPECT_NEAR(hook.CentreOfRow(0), axis, 1.5);

  // The rod is drawn 7 px right of the float, 54 px higher: each frame's line drops from
  // the tip on its left edge to the float's top.
  const ArchiveItem& rod = *Find("Udochka");
  for (int i = 0; i < GridOf(rod).Count(); ++i) {
    SCOPED_TRACE(i);
    const Pattern p = Cut(rod, i);
    ASSERT_GE(p.height, 56);
    EXPECT_TRUE(p.At(0, 53) || p.At(1, 53));
    EXPECT_NEAR(7 + p.CentreOfRow(53), axis, 2.0);
  }
}

// The wave band is a crest over clear water, and it slides by up to 99 px, so the pattern
// must repeat: the band looks the same shifted by its period.
TEST(GameImgs, WaveBandIsCrestOverClearWaterAndTiles) {
  const Pattern wave = Cut(*Find("Volna"), 0);
  int lowerHalf = 0;
  for (int y = wave.height / 2; y < wave.height; ++y) lowerHalf += wave.VisibleInRow(y);
  EXPECT_LT(lowerHalf, wave.width * (wave.height - wave.height / 2) / 4);
  EXPECT_GT(wave.VisibleInRow(wave.height / 4), wave.width * 3 / 4) << "crest band";

  int bestPeriod = 0;
  for (int period = 8; period <= 200 && bestPeriod == 0; ++period) {
    bool same = true;
    for (int y = 0; y < wave.height && same; ++y) {
      for (int x = 0; x + period < wave.width && same; ++x)
        same = wave.At(x, y) == wave.At(x + period, y);
    }
    if (same) bestPeriod = period;
  }
  EXPECT_GT(bestPeriod, 0) << "no repeating period";
}

}  // namespace
}  // namespace brinecast
