// Tests of fitting the frame into a window and of turning window positions into surface
// pixels.
#include <gtest/gtest.h>

#include "platform/sdl/Letterbox.h"

namespace brinecast {
namespace {

struct FitCase {
  const char* name;
  int outW, outH;
  TRect expected;
};

constexpr FitCase kFits[] = {
    {"window", 800, 600, TRect{0, 0, 800, 600}},
    {"4:3 screen", 1024, 768, TRect{0, 0, 1024, 768}},
    {"16:9 screen", 1920, 1080, TRect{240, 0, 240 + 1440, 1080}},
    {"16:10 screen", 1920, 1200, TRect{160, 0, 160 + 1600, 1200}},
    {"odd 16:9 laptop", 1366, 768, TRect{171, 0, 171 + 1024, 768}},
    {"portrait", 1080, 1920, TRect{0, 555, 1080, 555 + 810}},
    {"very wide", 3440, 1440, TRect{760, 0, 760 + 1920, 1440}},
    {"tiny", 400, 300, TRect{0, 0, 400, 300}},
};

TEST(SdlLetterbox, FitsTheFrameCentredWithItsAspectRatio) {
  for (const FitCase& c : kFits) {
    const TRect r = FitFrame(c.outW, c.outH);
    EXPECT_EQ(r.Left, c.expected.Left) << c.name;
    EXPECT_EQ(r.Top, c.expected.Top) << c.name;
    EXPECT_EQ(r.Width(), c.expected.Width()) << c.name;
    EXPECT_EQ(r.Height(), c.expected.Height()) << c.name;
  }
  const TRect none = FitFrame(0, 600);  // a minimised window reports no size
  EXPECT_EQ(none.Width(), 0);
  EXPECT_EQ(none.Height(), 0);
}

TEST(SdlLetterbox, EveryFramePixelIsReachedAndTheEdgesMapToTheSurfaceEdges) {
  for (const FitCase& c : kFits) {
    const TRect r = FitFrame(c.outW, c.outH);
    const SurfacePoint first = WindowToSurface(r.Left, r.Top, r);
    EXPECT_TRUE(first.inside && first.x == 0 && first.y == 0) << c.name;
    if (r.Width() < kSurfaceWidth) continue;  // a shrunk frame cannot show every column
    const SurfacePoint last = WindowToSurface(r.Left + r.Width() - 1, r.Top + r.Height() - 1, r);
    EXPECT_TRUE(last.inside && last.x == 799 && last.y == 599) << c.name;
    // Walking across the frame visits each surface column once, in order.
    int expected = 0;
    for (int wx = r.Left; wx < r.Left + r.Width(); ++wx) {
      const int sx = WindowToSurface(wx, r.Top, r).x;
      ASSERT_TRUE(sx == expected || sx == expected + 1) << c.name << " at " << wx;
      expected = sx;
    }
    EXPECT_EQ(expected, 799) << c.name;
  }
}

TEST(SdlLetterbox, PointsOnTheBlackBarsAreClampedAndMarkedOutside) {
  const TRect wide = FitFrame(1920, 1080);  // bars left and right
  const struct {
    int wx, wy;
    int sx, sy;
  } cases[] = {{0, 0, 0, 0},           {239, 540, 0, 300}, {1680, 540, 799, 300},
               {1919, 1079, 799, 599}, {-50, -50, 0, 0},   {5000, 5000, 799, 599}};
  for (const auto& c : cases) {
    const SurfacePoint p = WindowToSurface(c.wx, c.wy, wide);
    EXPECT_FALSE(p.inside) << c.wx << "," << c.wy;
    EXPECT_EQ(p.x, c.sx) << c.wx << "," << c.wy;
    EXPECT_EQ(p.y, c.sy) << c.wx << "," << c.wy;
  }
  const TRect tall = FitFrame(1080, 1920);  // bars above and below
  EXPECT_FALSE(WindowToSurface(540, 554, tall).inside);
  EXPECT_TRUE(WindowToSurface(540, 555, tall).inside);
  EXPECT_FALSE(WindowToSurface(540, 1365, tall).inside);
  EXPECT_EQ(WindowToSurface(540, 1365, tall).y, 599);
}

TEST(SdlLetterbox, TheWindowMapsOneToOne) {
  const TRect r = FitFrame(800, 600);
  for (int y = 0; y < 600; y += 37) {
    for (int x = 0; x < 800; x += 41) {
      const SurfacePoint p = WindowToSurface(x, y, r);
      ASSERT_TRUE(p.inside && p.x == x && p.y == y) << x << "," << y;
    }
  }
}

TEST(SdlLetterbox, SharpStepEnlargesByTheNextWholeFactor) {
  const struct {
    int frameWidth;
    int factor;
  } cases[] = {{400, 1}, {800, 1}, {801, 2}, {1440, 2}, {1600, 2}, {2880, 4}};
  for (const auto& c : cases) {
    EXPECT_EQ(SharpScaleFactor(TRect{0, 0, c.frameWidth, c.frameWidth * 3 / 4}), c.factor)
        << c.frameWidth;
  }
}

TEST(SdlLetterbox, TheFrameGoesWhereTheWindowReallyShowsIt) {
  const struct {
    const char* name;
    int outW, outH, sdlW, sdlH, realW, realH;
    bool rowsUp;
    TRect frame;
  } cases[] = {
      {"a window", 800, 600, 800, 600, 800, 600, false, {0, 0, 800, 600}},
      {"full screen granted", 1280, 800, 1280, 800, 1280, 800, false, {107, 0, 1173, 800}},
      {"full screen refused", 1024, 768, 1024, 768, 800, 600, false, {0, 0, 800, 600}},
      {"refused, rows counted upwards", 1024, 768, 1024, 768, 800, 600, true, {0, 168, 800, 768}},
      {"refused, wide screen", 1280, 800, 1280, 800, 800, 600, false, {0, 0, 800, 600}},
      {"refused, odd window", 1920, 1080, 1920, 1080, 1000, 600, false, {100, 0, 900, 600}},
      {"window bigger than SDL believes", 800, 600, 800, 600, 1280, 800, false, {0, 0, 800, 600}},
      {"two output pixels a unit", 2048, 1536, 1024, 768, 800, 600, false, {0, 0, 1600, 1200}},
      {"nothing known of the window", 1024, 768, 0, 0, 0, 0, false, {0, 0, 1024, 768}},
  };
  for (const auto& c : cases) {
    const TRect shown = ShownOutput(c.outW, c.outH, c.sdlW, c.sdlH, c.realW, c.realH, c.rowsUp);
    EXPECT_EQ(FitFrameIn(shown), c.frame) << c.name;
  }
  EXPECT_TRUE(FitFrameIn(ShownOutput(0, 0, 800, 600, 800, 600, false)).Empty());
}

}  // namespace
}  // namespace brinecast
