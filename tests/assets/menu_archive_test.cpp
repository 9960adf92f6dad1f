// The menu image list as the game reads it: every picture the menus look up, where the
// game draws it, and whether the text drawn over it stays readable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "BuiltArchive.h"
#include "app/screens/HelpScreen.h"
#include "app/screens/HiScoresScreen.h"
#include "app/screens/MainMenuScreen.h"
#include "app/screens/OptionsScreen.h"
#include "engine/Color.h"
#include "engine/DxgArchive.h"
#include "objects/Ask.h"
#include "objects/FonB.h"
#include "objects/Hlp.h"
#include "platform/Rect.h"

namespace brinecast {
namespace {

const ArchiveContents& Menu() {
  return BuiltArchive("MenuImgs.dxg");
}

const ArchiveItem* Find(const std::string& name) {
  return FindItem(Menu(), name);
}

using Rect = TRect;

bool Covers(const Rect& outer, const Rect& inner) {
  return outer.Left <= inner.Left && outer.Top <= inner.Top && outer.Right >= inner.Right &&
         outer.Bottom >= inner.Bottom;
}

// A screen's lit buttons, with the panel they are drawn over (null: the menu background).
struct ButtonScreen {
  const char* panel;
  std::span<const ScreenPlace> layout;
};
const ButtonScreen kButtonScreens[] = {
    {nullptr, MainMenuScreen::kLayout},
    {OptionsScreen::kPanel, OptionsScreen::kLayout},
    {HiScoresScreen::kPanel, HiScoresScreen::kLayout},
    {HelpScreen::kPanel, HelpScreen::kLayout},
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
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) shown += Visible(item, x, y);
  }
  return static_cast<double>(shown) / ((r.Right - r.Left) * (r.Bottom - r.Top));
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
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) sum += Luminance(At(p, x, y));
  }
  return Contrast(sum / ((r.Right - r.Left) * (r.Bottom - r.Top)), Luminance(text));
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

// Lit buttons are drawn at their screens' places over their unlit labels: each must cover
// its pointer hit area, no more than a few pixels beyond it, with its label inside it.
TEST(MenuArchive, LitButtonsCoverTheirHitAreas) {
  for (const ButtonScreen& screen : kButtonScreens) {
    for (const ScreenPlace& b : screen.layout) {
      if (b.picture == nullptr) continue;
      SCOPED_TRACE(b.picture);
      const ArchiveItem* item = Find(b.picture);
      ASSERT_NE(item, nullptr);
      const Rect drawn{b.x, b.y, b.x + ItemWidth(*item), b.y + ItemHeight(*item)};
      EXPECT_TRUE(Covers(drawn, b.hit));
      EXPECT_LE(drawn.Right, b.hit.Right + 3);
      EXPECT_LE(drawn.Bottom, b.hit.Bottom + 3);
      // The label from the hit area's open edges on.
      const Rect label{b.hit.Left - 1 - b.x, b.hit.Top - 1 - b.y, b.hit.Right - b.x,
                       b.hit.Bottom - b.y};
      EXPECT_GT(VisibleShare(*item, label), 0.15) << "nothing lit over the hit area";
    }
  }
  // The main-menu marker lives in the 45 pixels left of each label.
  for (const ScreenPlace& b : MainMenuScreen::kLayout) {
    const ArchiveItem* item = Find(b.picture);
    ASSERT_NE(item, nullptr);
    EXPECT_GT(VisibleShare(*item, {0, 0, 45, ItemHeight(*item)}), 0.1) << b.picture;
  }
}

// Lighting a button must hide its unlit label completely, so the lit look reads as the
// same label lighting up rather than a second label beside it.
TEST(MenuArchive, LitButtonsHideTheirUnlitLabels) {
  constexpr uint32_t kUnlitMenu = 0xFFFFFF;   // label fill on the menu background
  constexpr uint32_t kUnlitPanel = 0x4A6A8F;  // label fill on the panels
  for (const ButtonScreen& screen : kButtonScreens) {
    const ArchiveItem* under = screen.panel ? Find(screen.panel) : &Menu().items.at(0);
    ASSERT_NE(under, nullptr);
    const uint32_t unlit = screen.panel ? kUnlitPanel : kUnlitMenu;
    const int ux = screen.panel ? TFonB::kLeft : 0;
    const int uy = screen.panel ? TFonB::kTop : 0;
    for (const ScreenPlace& c : screen.layout) {
      if (c.picture == nullptr) continue;
      SCOPED_TRACE(c.picture);
      const ArchiveItem* lit = Find(c.picture);
      ASSERT_NE(lit, nullptr);
      int ink = 0, bare = 0;
      // The label may reach a little past the hit area; look at everything the button spans.
      for (int y = c.y - 4; y < c.y + ItemHeight(*lit) + 4; ++y) {
        for (int x = c.hit.Left - 5; x < c.hit.Right + 4; ++x) {
          if (At(*under->Picture, x - ux, y - uy) != unlit) continue;
          ++ink;
          const int lx = x - c.x, ly = y - c.y;
          const bool covered = lx >= 0 && ly >= 0 && lx < ItemWidth(*lit) &&
                               ly < ItemHeight(*lit) && Visible(*lit, lx, ly);
          bare += !covered;
        }
      }
      EXPECT_GT(ink, 20) << "no unlit label under the button";
      EXPECT_EQ(bare, 0) << "unlit label pixels left showing";
    }
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
      {OptionsScreen::kPanel,
       TFonB::kLeft,
       TFonB::kTop,
       768,
       471,
       {{250, 220, 602, 410}, {41, 465, 145, 490}}},
      {HiScoresScreen::kPanel,
       TFonB::kLeft,
       TFonB::kTop,
       768,
       471,
       {{82, 220, 540, 451}, {40, 465, 635, 485}, {41, 505, 146, 530}}},
      {HelpScreen::kPanel,
       TFonB::kLeft,
       TFonB::kTop,
       768,
       471,
       {{33, 175, 768, 460}, {40, 465, 621, 483}, {41, 505, 146, 530}}},
      {"Hlp1", THlp::kLeft, THlp::kTop, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp2", THlp::kLeft, THlp::kTop, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp3", THlp::kLeft, THlp::kTop, 735, 285, {{60, 200, 740, 450}}},
      {"Hlp4", THlp::kLeft, THlp::kTop, 735, 285, {{60, 200, 740, 450}}},
      {"Qtns",
       TAsk::kQuestionLeft,
       TAsk::kQuestionTop,
       360,
       270,
       {{300, 200, 500, 240}, {320, 243, 483, 280}}},
      {"Qtns",
       TAsk::kPanelLeft,
       TAsk::kPanelTop,
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
      EXPECT_TRUE(Covers(Rect{c.x, c.y, c.x + w, c.y + h}, r)) << r.Left << "," << r.Top;
      // Solid where things are drawn, not see-through.
      EXPECT_GT(VisibleShare(*item, {r.Left - c.x, r.Top - c.y, r.Right - c.x, r.Bottom - c.y}),
                0.99);
    }
  }
  // The help pages stay clear of the page-turning buttons below them.
  for (const char* page : {"Hlp1", "Hlp2", "Hlp3", "Hlp4"}) {
    const ArchiveItem* item = Find(page);
    ASSERT_NE(item, nullptr);
    EXPECT_LE(THlp::kTop + ItemHeight(*item), HelpScreen::kLayout[0].y) << page;
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
