// Image items drawn plain, stretched and rotated, checked pixel by pixel.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "engine/DXDraw.h"
#include "engine/DXSprite.h"
#include "engine/PictureCollectionItem.h"

namespace brinecast {
namespace {

constexpr int kPatW = 4;
constexpr int kPatH = 3;
constexpr uint32_t kKey = 0xFF00FF;         // same in both colour layouts
constexpr uint32_t kBackground = 0x204060;  // game colour 0x00BBGGRR
constexpr uint32_t kBackgroundRgb = 0x604020;

using Point = std::pair<int, int>;
// Which pixel of pattern 1 a destination pixel should show, if any.
using Mapping = std::function<std::optional<Point>(int dx, int dy)>;

bool IsKey(Point p) {
  return p == Point{0, 0} || p == Point{3, 2};
}

uint32_t SourceRgb(Point p) {
  return IsKey(p) ? kKey : 0x100000u * (p.first + 1) + 0x1000u * (p.second + 1) + 7;
}

uint32_t PixelAt(SDL_Surface* s, int x, int y) {
  auto* row = reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(s->pixels) + y * s->pitch);
  return row[x] & 0xFFFFFF;
}

// Two 4 x 3 patterns side by side; pattern 1 has unique colours and two key pixels.
class DrawPixels : public ::testing::Test {
 protected:
  DrawPixels() : draw(12, 10) {
    Picture pic;
    pic.width = 2 * kPatW;
    pic.height = kPatH;
    pic.bitCount = 24;
    pic.pixels.assign(pic.width * pic.height, 0x999999);
    for (int y = 0; y < kPatH; ++y) {
      for (int x = 0; x < kPatW; ++x) pic.pixels[y * pic.width + kPatW + x] = SourceRgb({x, y});
    }
    item.Picture = pic;
    item.PatternWidth = kPatW;
    item.TransparentColor = kKey;
    item.Prepare();
    draw.Initialize();
    draw.Fill(kBackground);
  }

  SDL_Surface* Dest() { return draw.Surface(); }

  void ExpectPixels(const Mapping& map, const std::string& what) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < Dest()->h; ++y) {
      for (int x = 0; x < Dest()->w; ++x) {
        std::optional<Point> src = map(x, y);
        bool inside =
            src && src->first >= 0 && src->first < kPatW && src->second >= 0 && src->second < kPatH;
        uint32_t want = inside && !IsKey(*src) ? SourceRgb(*src) : kBackgroundRgb;
        uint32_t got = PixelAt(Dest(), x, y);
        if (got != want && wrong++ == 0) {
          first = "(" + std::to_string(x) + "," + std::to_string(y) + ") got " +
                  std::to_string(got) + " want " + std::to_string(want);
        }
      }
    }
    EXPECT_EQ(wrong, 0) << what << ": first " << first;
  }

  void ExpectUntouched(const std::string& what) {
    ExpectPixels([](int, int) { return std::nullopt; }, what);
  }

  TDXDraw draw;
  TPictureCollectionItem item;
};

const Point kPlacements[] = {
    {2, 3},    // inside
    {-2, 1},   // left edge
    {10, 1},   // right edge
    {3, -1},   // top edge
    {3, 8},    // bottom edge
    {-3, -2},  // top-left corner
    {9, 8},    // bottom-right corner
    {12, 0},   // wholly right
    {-4, 0},   // wholly left
    {0, 10},   // wholly below
};

TEST_F(DrawPixels, PlainDrawSkipsTheKeyAndClipsAtEveryEdge) {
  for (auto [x, y] : kPlacements) {
    draw.Fill(kBackground);
    item.Draw(Dest(), x, y, 1);
    ExpectPixels(
        [x = x, y = y](int dx, int dy) {
          return Point{dx - x, dy - y};
        },
        "at " + std::to_string(x) + "," + std::to_string(y));
  }
}

TEST_F(DrawPixels, NothingIsDrawnForBadPatternsOrUnpreparedItems) {
  item.Draw(Dest(), 2, 2, -1);
  item.Draw(Dest(), 2, 2, item.PatternCount());
  item.DrawStretched(Dest(), TRect{0, 0, 8, 6}, 2);
  item.DrawStretched(Dest(), TRect{4, 0, 4, 6}, 1);  // empty width
  item.DrawStretched(Dest(), TRect{0, 6, 8, 0}, 1);  // upside down
  item.DrawRotated(Dest(), 5, 5, kPatW, kPatH, -1, 0, 0, 0);
  item.DrawRotated(Dest(), 5, 5, 0, kPatH, 1, 0, 0, 0);
  item.DrawRotated(Dest(), 5, 5, kPatW, 0, 1, 0, 0, 0);
  item.Draw(nullptr, 0, 0, 1);
  item.Finalize();
  item.Draw(Dest(), 2, 2, 1);
  item.DrawStretched(Dest(), TRect{0, 0, 8, 6}, 1);
  item.DrawRotated(Dest(), 5, 5, kPatW, kPatH, 1, 0, 0, 0);
  ExpectUntouched("nothing drawn");
}

TEST_F(DrawPixels, ExtremeArgumentsDrawNothingOffTheSurface) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  item.Draw(Dest(), INT_MAX, INT_MAX, 1);
  item.Draw(Dest(), INT_MIN, INT_MIN, 1);
  item.DrawStretched(Dest(), TRect{INT_MIN, INT_MIN, INT_MAX, -1}, 1);
  item.DrawStretched(Dest(), TRect{INT_MAX - 1, 0, INT_MAX, 5}, 1);
  item.DrawRotated(Dest(), INT_MAX, INT_MIN, kPatW, kPatH, 1, 0, 0, INT_MAX);
  item.DrawRotated(Dest(), 5, 5, INT_MAX, INT_MAX, 1, 1e300, 0, INT_MIN);
  item.DrawRotated(Dest(), 5, 5, kPatW, kPatH, 1, nan, 0.5, 3);
  item.DrawRotated(Dest(), 5, 100, -INT_MAX, 1, 1, 0, 0, 0);
  TSpriteEngine root;
  root.SetSurface(Dest());
  for (double far : {1e300, -1e300, nan}) {
    auto* s = new TImageSprite(&root);
    s->Image = &item;
    s->X = far;
    s->Y = 1e10;
    s->Width = INT_MAX;
    s->Height = INT_MAX;
    s->FramePos = far;
    // The image box saturates like the bounds it is shifted from.
    EXPECT_EQ(s->ImageRect().Top, INT_MAX);
    EXPECT_EQ(s->ImageRect().Bottom, INT_MAX);
  }
  root.Move(1);
  root.Draw();
  ExpectUntouched("extreme arguments");
}

TEST_F(DrawPixels, EveryDrawLeavesTheSurfaceOpaque) {
  // Screenshots keep the alpha channel: a see-through pixel would be a hole.
  item.Draw(Dest(), 0, 0, 1);
  item.DrawStretched(Dest(), TRect{4, 0, 12, 6}, 1);
  item.DrawRotated(Dest(), 6, 9, kPatW, kPatH, 1, 0.5, 0.5, 40);
  for (int y = 0; y < Dest()->h; ++y) {
    for (int x = 0; x < Dest()->w; ++x) {
      auto* row =
          reinterpret_cast<uint32_t*>(static_cast<uint8_t*>(Dest()->pixels) + y * Dest()->pitch);
      ASSERT_EQ(row[x] >> 24, 0xFFu) << x << "," << y;
    }
  }
}

TEST_F(DrawPixels, OpaqueItemsDrawTheKeyColourToo) {
  item.Transparent = false;
  item.Prepare();
  item.Draw(Dest(), 0, 0, 1);
  EXPECT_EQ(PixelAt(Dest(), 0, 0), kKey);
  EXPECT_EQ(PixelAt(Dest(), 1, 0), SourceRgb({1, 0}));
}

TEST_F(DrawPixels, StretchedDrawScalesSkipsTheKeyAndClips) {
  // Whole multiples of the pattern size, so every destination pixel has one
  // obvious source pixel.
  const std::pair<TRect, std::string> cases[] = {
      {{2, 2, 10, 8}, "inside, doubled"},
      {{1, 0, 5, 9}, "tripled height"},
      {{-2, 0, 6, 6}, "left edge"},
      {{-1, -1, 7, 5}, "odd clip at the top left"},
      {{-3, 0, 9, 3}, "odd clip, tripled"},
      {{7, 7, 15, 13}, "odd clip at the bottom right"},
      {{8, 4, 16, 10}, "right and bottom edges"},
      {{0, -2, 8, 4}, "top edge"},
      {{-20, -20, -4, -8}, "wholly outside"},
  };
  for (const auto& [rect, what] : cases) {
    draw.Fill(kBackground);
    item.DrawStretched(Dest(), rect, 1);
    ExpectPixels(
        [r = rect](int dx, int dy) {
          if (dx < r.Left || dy < r.Top) return std::optional<Point>();
          return std::optional<Point>(
              Point{(dx - r.Left) * kPatW / r.Width(), (dy - r.Top) * kPatH / r.Height()});
        },
        what);
  }
}

TEST_F(DrawPixels, ClippedStretchedDrawsShowTheSamePixelsAsWholeOnes) {
  // Any size, up or down: what shows of a clipped draw matches the same draw
  // made whole on a larger surface.
  TDXDraw big(64, 64);
  big.Initialize();
  const TRect sizes[] = {{0, 0, 7, 5}, {0, 0, 3, 2}, {0, 0, 13, 11}, {0, 0, 5, 9}};
  for (int pass = 0; pass < 2; ++pass) {
    item.Transparent = pass == 0;  // keyed and opaque take different SDL paths
    item.Prepare();
    for (const TRect& size : sizes) {
      for (auto [x, y] : kPlacements) {
        const TRect rect{x, y, x + size.Right, y + size.Bottom};
        big.Fill(kBackground);
        item.DrawStretched(big.Surface(), TRect{20, 20, 20 + size.Right, 20 + size.Bottom}, 1);
        draw.Fill(kBackground);
        item.DrawStretched(Dest(), rect, 1);
        int wrong = 0;
        for (int dy = 0; dy < Dest()->h; ++dy) {
          for (int dx = 0; dx < Dest()->w; ++dx) {
            const int bx = dx - x + 20;
            const int by = dy - y + 20;
            const bool covered = dx >= x && dy >= y && dx < rect.Right && dy < rect.Bottom;
            const uint32_t want = covered ? PixelAt(big.Surface(), bx, by) : kBackgroundRgb;
            wrong += PixelAt(Dest(), dx, dy) != want;
          }
        }
        EXPECT_EQ(wrong, 0) << size.Right << "x" << size.Bottom << " at " << x << "," << y
                            << (item.Transparent ? " keyed" : " opaque");
      }
    }
  }
}

TEST_F(DrawPixels, RotatedDrawTurnsClockwiseOnScreen) {
  struct Case {
    int angle;
    std::string what;
    std::function<Point(int dx, int dy, int x, int y)> inverse;
  };
  const Case cases[] = {
      {0, "angle 0",
       [](int dx, int dy, int x, int y) {
         return Point{dx - x, dy - y};
       }},
      {256, "angle 256",
       [](int dx, int dy, int x, int y) {
         return Point{dx - x, dy - y};
       }},
      {64, "quarter turn",
       [](int dx, int dy, int x, int y) {
         return Point{dy - y, x - 1 - dx};
       }},
      {-192, "minus three quarters",
       [](int dx, int dy, int x, int y) {
         return Point{dy - y, x - 1 - dx};
       }},
      {128, "half turn",
       [](int dx, int dy, int x, int y) {
         return Point{x - 1 - dx, y - 1 - dy};
       }},
      {192, "three quarters",
       [](int dx, int dy, int x, int y) {
         return Point{y - 1 - dy, dx - x};
       }},
  };
  const Point origins[] = {{5, 4}, {1, 1}, {11, 9}, {0, 0}, {12, 10}};
  for (const Case& c : cases) {
    for (auto [x, y] : origins) {
      draw.Fill(kBackground);
      item.DrawRotated(Dest(), x, y, kPatW, kPatH, 1, 0, 0, c.angle);
      ExpectPixels([&, x = x, y = y](int dx, int dy) { return c.inverse(dx, dy, x, y); },
                   c.what + " at " + std::to_string(x) + "," + std::to_string(y));
    }
  }
}

TEST_F(DrawPixels, RotatedDrawScalesAboutTheCentrePoint) {
  // Doubled, with the middle of the picture on (6, 5): it spans 2..9 x 2..7.
  item.DrawRotated(Dest(), 6, 5, 2 * kPatW, 2 * kPatH, 1, 0.5, 0.5, 0);
  ExpectPixels(
      [](int dx, int dy) {
        if (dx < 2 || dy < 2) return std::optional<Point>();
        return std::optional<Point>(Point{(dx - 2) / 2, (dy - 2) / 2});
      },
      "doubled about the middle");
}

TEST_F(DrawPixels, FillAndImageSpritesRenderTheirCurrentFrame) {
  draw.Fill(0x0000FF);  // game colour red
  EXPECT_EQ(PixelAt(Dest(), 11, 9), 0xFF0000u);
  draw.Fill(kBackground);

  TSpriteEngine root;
  root.SetSurface(Dest());
  auto* s = new TImageSprite(&root);
  s->Image = &item;
  s->Width = kPatW + 2;  // the image is centred in the sprite's box
  s->Height = kPatH;
  s->X = 2.9;  // truncated
  s->Y = -0.5;
  s->FrameCount = 2;
  s->FramePos = 1.6;
  s->Move(1);
  root.Draw();
  ExpectPixels([](int dx, int dy) { return Point{dx - 3, dy}; }, "sprite frame 1");
  EXPECT_EQ(s->CurrentFrame(), 1);
  EXPECT_EQ(s->ImageRect(), (TRect{3, 0, 9, 3}));
}

}  // namespace
}  // namespace brinecast
