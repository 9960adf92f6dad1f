// The menu image list as the game reads it: every picture the menus look up, where the
// game draws it, and whether the text drawn over it stays readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "BuiltArchive.h"
#include "engine/Color.h"
#include "engine/DxgArchive.h"

namespace brinecast {
namespace {

const ArchiveContents& Menu() {
  return BuiltArchive("MenuImgs.dxg");
}

const ArchiveItem* Find(const std::string& name) {
  return FindItem(Menu(), name);
}

struct Rect {
  int left, top, right, bottom;  // right and bottom exclusive
  bool Contains(const Rect& r) const {
    return left <= r.left && top <= r.top && right >= r.right && bottom >= r.bottom;
  }
};

int ItemWidth(const ArchiveItem& item) {
  return item.PatternWidth > 0 ? item.PatternWidth : item.Picture->width;
}
int ItemHeight(const ArchiveItem& item) {
  return item.PatternHeight > 0 ? item.PatternHeight : item.Picture->height;
}
int PatternCount(const ArchiveItem& item) {
  const Picture& p = *item.Picture;
  int columns = (p.width + item.SkipWidth) / (ItemWidth(item) + item.SkipWidth);
  int rows = (p.height + item.SkipHeight) / (ItemHeight(item) + item.SkipHeight);
  return columns * rows;
}

// The stored key is 0x00BBGGRR, picture pixels are 0x00RRGGBB.
uint32_t KeyPixel(const ArchiveItem& item) {
  return SwapRedBlue(item.TransparentColor);
}

uint32_t At(const Picture& p, int x, int y) {
  return p.pixels[static_cast<size_t>(y) * p.width + x];
}

bool Visible(const ArchiveItem& item, int x, int y) {
  return !item.Transparent || At(*item.Picture, x, y) != KeyPixel(item);
}

double VisibleShare(const ArchiveItem& item, const Rect& r) {
  int shown = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) shown += Visible(item, x, y);
  }
  return static_cast<double>(shown) / ((r.right - r.left) * (r.bottom - r.top));
}

double Channel(uint32_t v) {
  double c = v / 255.0;
  return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double Luminance(uint32_t rgb) {
  return 0.2126 * Channel((rgb >> 16) & 0xFF) + 0.7152 * Channel((rgb >> 8) & 0xFF) +
         0.0722 * Channel(rgb & 0xFF);
}
double Contrast(double a, double b) {
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// Contrast of a text colour against the average brightness of what lies under it.
double ContrastOver(const Picture& p, const Rect& r, uint32_t text) {
  double sum = 0;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) sum += Luminance(At(p, x, y));
  }
  return Contrast(sum / ((r.right - r.left) * (r.bottom - r.top)), Luminance(text));
}

constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kGold = 0xFFD200;
constexpr uint32_t kGoalBlue = 0x2864C8;

TEST(MenuArchive, BackgroundsAreItemsZeroToThreeFullScreenOpaqueAndDistinct) {
  ASSERT_GE(Menu().items.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    const ArchiveItem& item = Menu().items[i];
    SCOPED_TRACE(i);
    ASSERT_TRUE(item.Picture.has_value());
    EXPECT_EQ(item.Picture->width, 800);
    EXPECT_EQ(item.Picture->height, 600);
    EXPECT_FALSE(item.Transparent);
    EXPECT_EQ(PatternCount(item), 1);
    for (int j = 0; j < i; ++j)
      EXPECT_NE(item.Picture->pixels, Menu().items[j].Picture->pixels) << j;
  }
}

// Every named picture: found by name, keyed, with its frames, and its key forming a
// transparent surround without swallowing the picture.
TEST(MenuArchive, EveryNamedPictureIsKeyedWithItsFrames) {
  const struct {
    const char* name;
    int frames;
  } kNamed[] = {{"Start", 1},   {"Opt", 1},      {"HScores", 1}, {"Help", 1},    {"Visit", 1},
                {"Exit", 1},    {"FonOpt", 1},   {"FonHScr", 1}, {"FonHelp", 1}, {"Win", 1},
                {"Full", 1},    {"On", 1},       {"Off", 1},     {"OptBack", 1}, {"Clear", 1},
                {"World", 1},   {"HScrBack", 1}, {"Previos", 1}, {"Next", 1},    {"Hlp1", 1},
                {"Hlp2", 1},    {"Hlp3", 1},     {"Hlp4", 1},    {"Qtns", 1},    {"Chk", 2},
                {"previos", 1}, {"QTNS", 1}};
  for (const auto& c : kNamed) {
    SCOPED_TRACE(c.name);
    const ArchiveItem* item = Find(c.name);
    ASSERT_NE(item, nullptr);
    ASSERT_TRUE(item->Picture.has_value());
    EXPECT_EQ(PatternCount(*item), c.frames);
    EXPECT_TRUE(item->Transparent);
    const Picture& p = *item->Picture;
    const double shown = VisibleShare(*item, {0, 0, p.width, p.height});
    EXPECT_GT(shown, 0.2);
    EXPECT_LT(shown, 1.0) << "no transparent pixel at all";
  }
}

// Lit buttons are drawn at fixed places over their unlit labels: each must cover its
// pointer hit area, no more than a few pixels beyond it, with its label inside it.
TEST(MenuArchive, LitButtonsCoverTheirHitAreas) {
  const struct {
    const char* name;
    int x, y;
    Rect hit;  // the pointer's open rectangle as edges
  } kButtons[] = {
      {"Start", 261, 179, {306, 179, 493, 203}},   {"Opt", 261, 225, {306, 226, 424, 259}},
      {"HScores", 261, 275, {306, 275, 478, 301}}, {"Help", 261, 321, {306, 323, 371, 350}},
      {"Visit", 261, 370, {306, 370, 537, 396}},   {"Exit", 261, 419, {306, 419, 367, 442}},
      {"Win", 301, 230, {302, 230, 389, 249}},     {"Full", 447, 230, {447, 230, 589, 249}},
      {"On", 301, 278, {302, 278, 334, 297}},      {"Off", 391, 278, {392, 278, 433, 297}},
      {"On", 301, 326, {302, 326, 334, 345}},      {"Off", 391, 326, {392, 326, 433, 345}},
      {"OptBack", 41, 465, {41, 465, 144, 489}},   {"Clear", 40, 465, {40, 465, 222, 484}},
      {"World", 372, 465, {372, 465, 634, 484}},   {"HScrBack", 41, 505, {41, 505, 145, 529}},
      {"Previos", 40, 465, {40, 465, 132, 482}},   {"Next", 569, 465, {569, 465, 620, 482}},
  };
  for (const auto& b : kButtons) {
    SCOPED_TRACE(b.name);
    const ArchiveItem* item = Find(b.name);
    ASSERT_NE(item, nullptr);
    const Rect drawn{b.x, b.y, b.x + ItemWidth(*item), b.y + ItemHeight(*item)};
    EXPECT_TRUE(drawn.Contains({b.hit.left + 1, b.hit.top + 1, b.hit.right, b.hit.bottom}));
    EXPECT_LE(drawn.right, b.hit.right + 3);
    EXPECT_LE(drawn.bottom, b.hit.bottom + 3);
    const Rect label{b.hit.left - b.x, b.hit.top - b.y, b.hit.right - b.x, b.hit.bottom - b.y};
    EXPECT_GT(VisibleShare(*item, label), 0.15) << "nothing lit over the hit area";
  }
  // The main-menu marker lives in the 45 pixels left of each label.
  for (const char* name : {"Start", "Opt", "HScores", "Help", "Visit", "Exit"}) {
    const ArchiveItem* item = Find(name);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(VisibleShare(*item, {0, 0, 45, ItemHeight(*item)}), 0.1) << name;
  }
}

// Lighting a button must hide its unlit label completely, so the lit look reads as the
// same label lighting up rather than a second label beside it.
TEST(MenuArchive, LitButtonsHideTheirUnlitLabels) {
  constexpr uint32_t kUnlitMenu = 0xFFFFFF;   // label fill on the menu background
  constexpr uint32_t kUnlitPanel = 0x4A6A8F;  // label fill on the panels
  const struct {
    const char* under;  // nullptr: the menu background
    uint32_t ink;
    const char* name;
    int x, y;
    Rect hit;
  } kCases[] = {
      {nullptr, kUnlitMenu, "Start", 261, 179, {306, 179, 493, 203}},
      {nullptr, kUnlitMenu, "Opt", 261, 225, {306, 226, 424, 259}},
      {nullptr, kUnlitMenu, "HScores", 261, 275, {306, 275, 478, 301}},
      {nullptr, kUnlitMenu, "Help", 261, 321, {306, 323, 371, 350}},
      {nullptr, kUnlitMenu, "Visit", 261, 370, {306, 370, 537, 396}},
      {nullptr, kUnlitMenu, "Exit", 261, 419, {306, 419, 367, 442}},
      {"FonOpt", kUnlitPanel, "Win", 301, 230, {302, 230, 389, 249}},
      {"FonOpt", kUnlitPanel, "Full", 447, 230, {447, 230, 589, 249}},
      {"FonOpt", kUnlitPanel, "On", 301, 278, {302, 278, 334, 297}},
      {"FonOpt", kUnlitPanel, "Off", 391, 326, {392, 326, 433, 345}},
      {"FonOpt", kUnlitPanel, "OptBack", 41, 465, {41, 465, 144, 489}},
      {"FonHScr", kUnlitPanel, "Clear", 40, 465, {40, 465, 222, 484}},
      {"FonHScr", kUnlitPanel, "World", 372, 465, {372, 465, 634, 484}},
      {"FonHScr", kUnlitPanel, "HScrBack", 41, 505, {41, 505, 145, 529}},
      {"FonHelp", kUnlitPanel, "Previos", 40, 465, {40, 465, 132, 482}},
      {"FonHelp", kUnlitPanel, "Next", 569, 465, {569, 465, 620, 482}},
      {"FonHelp", kUnlitPanel, "HScrBack", 41, 505, {41, 505, 145, 529}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const ArchiveItem* under = c.under ? Find(c.under) : &Menu().items.at(0);
    const ArchiveItem* lit = Find(c.name);
    ASSERT_NE(under, nullptr);
    ASSERT_NE(lit, nullptr);
    const int ux = c.under ? 32 : 0, uy = c.under ? 129 : 0;
    int ink = 0, bare = 0;
    // The label may reach a little past the hit area; look at everything the button spans.
    for (int y = c.y - 4; y < c.y + ItemHeight(*lit) + 4; ++y) {
      for (int x = c.hit.left - 4; x < c.hit.right + 4; ++x) {
        if (At(*under->Picture, x - ux, y - uy) != c.ink) continue;
        ++ink;
        const int lx = x - c.x, ly = y - c.y;
        const bool covered = lx >= 0 && ly >= 0 && lx < ItemWidth(*lit) && ly < ItemHeight(*lit) &&
                             Visible(*lit, lx, ly);
        bare += !covered;
      }
    }
    EXPECT_GT(ink, 20) << "no unlit label under the button";
    EXPECT_EQ(bare, 0) << "unlit label pixels left showing";
  }
}

// Panels, help pages and the question sign sit at fixed places; the texts and buttons
// the game draws on them must land on them.
TEST(MenuArchive, PanelsAndPagesHoldWhatIsDrawnOnThem) {
  const struct {
    const char* name;
    int x, y;
    int maxWidth, maxHeight;
    std::vector<Rect> inside;  // what the game puts there, in screen pixels
  } kCases[] = {
      {"FonOpt", 32, 129, 768, 471, {{250, 220, 602, 410}, {41, 465, 145, 490}}},
      {"FonHScr",
       32,
       129,
       768,
       471,
       {{82, 220, 540, 451}, {40, 465, 635, 485}, {41, 505, 146, 530}}},
      {"FonHelp",
       32,
       129,
       768,
       471,
       {{33, 175, 768, 460}, {40, 465, 621, 483}, {41, 505, 146, 530}}},
      {"Hlp1", 33, 175, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp2", 33, 175, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp3", 33, 175, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp4", 33, 175, 735, 285, {{60, 200, 740, 450}}},
      {"Qtns", 270, 120, 360, 270, {{300, 200, 500, 240}, {320, 243, 483, 280}}},
      {"Qtns",
       239,
       187,
       360,
       270,
       {{264, 255, 520, 365}, {376, 365, 399, 388}, {270, 280, 460, 320}}},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.name);
    const ArchiveItem* item = Find(c.name);
    ASSERT_NE(item, nullptr);
    const int w = ItemWidth(*item), h = ItemHeight(*item);
    EXPECT_LE(w, c.maxWidth);
    EXPECT_LE(h, c.maxHeight);
    for (const Rect& r : c.inside) {
      EXPECT_TRUE((Rect{c.x, c.y, c.x + w, c.y + h}.Contains(r))) << r.left << "," << r.top;
      // Solid where things are drawn, not see-through.
      EXPECT_GT(VisibleShare(*item, {r.left - c.x, r.top - c.y, r.right - c.x, r.bottom - c.y}),
                0.99);
    }
  }
  // The help pages stay clear of the page-turning buttons below them.
  for (const char* page : {"Hlp1", "Hlp2", "Hlp3", "Hlp4"}) {
    const ArchiveItem* item = Find(page);
    ASSERT_NE(item, nullptr);
    EXPECT_LE(175 + ItemHeight(*item), 465) << page;
  }
}

TEST(MenuArchive, CheckBoxHasAnEmptyAndATickedFrame) {
  const ArchiveItem* chk = Find("Chk");
  ASSERT_NE(chk, nullptr);
  const int w = ItemWidth(*chk), h = ItemHeight(*chk);
  EXPECT_GE(w, 20);
  EXPECT_LE(w, 26);
  EXPECT_GE(h, 20);
  EXPECT_LE(h, 26);
  ASSERT_EQ(PatternCount(*chk), 2);
  int differ = 0;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) differ += At(*chk->Picture, x, y) != At(*chk->Picture, w + x, y);
  }
  EXPECT_GT(differ, 20) << "the tick does not show";
}

// Text the game draws without an outline must stand out from what lies beneath it.
TEST(MenuArchive, TextOverThePicturesStaysReadable) {
  const auto sea = [](int i) { return *Menu().items.at(i).Picture; };
  for (int i = 1; i <= 3; ++i) {
    SCOPED_TRACE(i);
    EXPECT_GE(ContrastOver(sea(i), {90, 0, 800, 56}, kGoalBlue), 3.0) << "goal counters";
    EXPECT_GE(ContrastOver(sea(i), {0, 556, 800, 600}, kWhite), 4.5) << "level and score";
    EXPECT_GE(ContrastOver(sea(i), {330, 300, 450, 330}, kGold), 3.0) << "level banner";
  }
  const Picture& qtns = *Find("Qtns")->Picture;
  const Rect middle{30, 70, 290, 200};
  EXPECT_GE(ContrastOver(qtns, middle, kBlack), 3.0);
  EXPECT_GE(ContrastOver(qtns, middle, kGold), 3.0);
  const Picture& scores = *Find("FonHScr")->Picture;
  const Rect rows{82 - 32, 220 - 129, 540 - 32, 450 - 129};
  EXPECT_GE(ContrastOver(scores, rows, 0xFF0000), 3.0);
  EXPECT_GE(ContrastOver(scores, rows, 0x2864E6), 3.0);
}

}  // namespace
}  // namespace brinecast
