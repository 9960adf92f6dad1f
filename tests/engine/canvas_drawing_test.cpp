// The canvas: text and rectangles as they land on the surface.
#include <SDL_surface.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/Canvas.h"
#include "engine/FontLibrary.h"
#include "platform/SurfacePtr.h"

namespace brinecast {
namespace {

constexpr int kW = 800;
constexpr int kH = 600;

// A background where every pixel differs from its neighbours, so an opaque box painted
// behind the text, or a pixel moved, cannot go unnoticed.
uint32_t Background(int x, int y) {
  return 0xFF000000u | uint32_t(x * 7 % 256) << 16 | uint32_t(y * 13 % 256) << 8 |
         uint32_t((x + y) % 128);
}

SurfacePtr MakeBackSurface() {
  SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, kW, kH, 32, SDL_PIXELFORMAT_ARGB8888));
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x] = Background(x, y);
    }
  }
  return s;
}

uint32_t PixelAt(SDL_Surface* s, int x, int y) {
  return static_cast<uint32_t*>(s->pixels)[y * s->pitch / 4 + x];
}

struct Box {
  int left = kW, top = kH, right = -1, bottom = -1;  // inclusive; right < left when empty
  bool Empty() const { return right < left; }
};

Box ChangedBox(SDL_Surface* s) {
  Box b;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      if (PixelAt(s, x, y) != Background(x, y)) {
        b.left = std::min(b.left, x);
        b.right = std::max(b.right, x);
        b.top = std::min(b.top, y);
        b.bottom = std::max(b.bottom, y);
      }
    }
  }
  return b;
}

// The blitter's blending divides by 256, not 255: allow a few steps beyond the two ends.
bool Between(uint32_t v, uint32_t a, uint32_t b) {
  return std::min(a, b) <= v + 3 && v <= std::max(a, b) + 3;
}

class CanvasTest : public ::testing::Test {
 protected:
  std::shared_ptr<TFontLibrary> fonts_ = std::make_shared<TFontLibrary>();
  SurfacePtr surface_ = MakeBackSurface();
  TCanvas canvas_{fonts_, surface_.get()};

  void SetFont(const char* name, int size, bool bold, uint32_t color) {
    canvas_.Font.Name = name;
    canvas_.Font.Size = size;
    canvas_.Font.Bold = bold;
    canvas_.Font.Color = color;
  }
};

struct TextCase {
  const char* face;
  int size;
  bool bold;
  int x, y;
  const char* text;
};

TEST_F(CanvasTest, TextLandsAtItsCellInsideItsMeasuredBox) {
  const TextCase cases[] = {
      {"Comic Sans MS", 25, true, 270, 280, "GAME OVER"},
      {"Arial", 14, false, 690, 569, "00012345"},
      {"Courier New", 16, true, 82, 220, "10    Nemo"},
      {"Arial", 12, true, 112, 40, "07"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    surface_ = MakeBackSurface();
    canvas_.SetSurface(surface_.get());
    SetFont(c.face, c.size, c.bold, RGB(255, 210, 0));
    canvas_.TextOut(c.x, c.y, c.text);
    Box b = ChangedBox(surface_.get());
    ASSERT_FALSE(b.Empty());
    // The first glyph starts at the cell's left edge (give or take its side bearing),
    // the tallest ones a little below the cell's top (the font's internal leading).
    EXPECT_GE(b.left, c.x - 1);
    EXPECT_LE(b.left, c.x + c.size / 3);
    EXPECT_GE(b.top, c.y);
    EXPECT_LE(b.top, c.y + canvas_.TextHeight(c.text) / 3);
    EXPECT_LT(b.right, c.x + canvas_.TextWidth(c.text));
    EXPECT_LT(b.bottom, c.y + canvas_.TextHeight(c.text));
  }
}

TEST_F(CanvasTest, TextIsBlendedInItsColourOverAnUntouchedBackground) {
  const uint32_t colours[][2] = {
      // 0x00BBGGRR asked, ARGB on the surface
      {RGB(255, 0, 0), 0xFFFF0000},
      {RGB(40, 125, 255), 0xFF287DFF},
      {RGB(255, 255, 255), 0xFFFFFFFF},
      {RGB(0, 0, 0), 0xFF000000},
  };
  for (const auto& [asked, argb] : colours) {
    SCOPED_TRACE(asked);
    surface_ = MakeBackSurface();
    canvas_.SetSurface(surface_.get());
    SetFont("Comic Sans MS", 25, true, asked);
    canvas_.TextOut(300, 200, "HOLD");
    Box b = ChangedBox(surface_.get());
    ASSERT_FALSE(b.Empty());
    int solid = 0, untouched = 0;
    for (int y = b.top; y <= b.bottom; ++y) {
      for (int x = b.left; x <= b.right; ++x) {
        uint32_t p = PixelAt(surface_.get(), x, y), bg = Background(x, y);
        solid += p == argb;
        untouched += p == bg;
        // Every painted pixel mixes only the background and the text colour.
        for (int shift : {0, 8, 16}) {
          ASSERT_TRUE(Between(p >> shift & 0xFF, bg >> shift & 0xFF, argb >> shift & 0xFF))
              << "at " << x << "," << y << std::hex << " is " << p << " over " << bg;
        }
      }
    }
    EXPECT_GT(solid, 50);       // stroke interiors are fully covered
    EXPECT_GT(untouched, 500);  // between and inside the letters nothing is painted
  }
}

int PaintedPixels(SDL_Surface* s) {
  int n = 0;
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) n += PixelAt(s, x, y) != Background(x, y);
  }
  return n;
}

TEST_F(CanvasTest, BoldIsHeavierThanNormal) {
  for (const char* face : {"Comic Sans MS", "Arial", "Courier New"}) {
    SCOPED_TRACE(face);
    int ink[2] = {};
    for (bool bold : {false, true}) {
      surface_ = MakeBackSurface();
      canvas_.SetSurface(surface_.get());
      SetFont(face, 20, bold, RGB(0, 0, 0));
      canvas_.TextOut(100, 100, "Level 12");
      ink[bold] = PaintedPixels(surface_.get());
    }
    EXPECT_GT(ink[1], ink[0] * 5 / 4);
  }
  // Proportional faces also grow wider; a monospaced one keeps its cell.
  SetFont("Arial", 20, false, RGB(0, 0, 0));
  int normal = canvas_.TextWidth("Level 12");
  canvas_.Font.Bold = true;
  EXPECT_GT(canvas_.TextWidth("Level 12"), normal);
}

TEST_F(CanvasTest, TextOffTheSurfaceIsClipped) {
  SetFont("Arial", 20, true, RGB(255, 255, 255));
  canvas_.TextOut(780, 585, "Clipped text");
  canvas_.TextOut(-40, -10, "Clipped text");
  Box b = ChangedBox(surface_.get());
  ASSERT_FALSE(b.Empty());
  EXPECT_EQ(b.left, 0);
  EXPECT_EQ(b.bottom, kH - 1);
}

TEST_F(CanvasTest, FollowsItsSurfaceAndDrawsNothingWithout) {
  SetFont("Arial", 16, false, RGB(255, 255, 255));
  canvas_.SetSurface(nullptr);
  canvas_.TextOut(10, 10, "nowhere");
  canvas_.Rectangle(5, 5, 50, 50);

  SurfacePtr rebuilt = MakeBackSurface();
  canvas_.SetSurface(rebuilt.get());
  canvas_.TextOut(10, 10, "here");
  EXPECT_TRUE(ChangedBox(surface_.get()).Empty());
  EXPECT_FALSE(ChangedBox(rebuilt.get()).Empty());
}

TEST_F(CanvasTest, EmptyTextDrawsNothing) {
  canvas_.TextOut(10, 10, "");
  canvas_.TextOut(10, 10, std::string("\0abc", 4));
  EXPECT_TRUE(ChangedBox(surface_.get()).Empty());
  EXPECT_EQ(canvas_.TextWidth(""), 0);
}

TEST_F(CanvasTest, SameTextEachFrameIsRasterisedOnce) {
  SetFont("Arial", 14, false, RGB(255, 255, 255));
  for (int frame = 0; frame < 3; ++frame) canvas_.TextOut(690, 569, "00001200");
  EXPECT_EQ(canvas_.TextCache().Renders(), 1u);
  canvas_.Font.Color = RGB(255, 210, 0);
  canvas_.TextOut(690, 569, "00001200");
  canvas_.Font.Size = 20;
  canvas_.TextOut(690, 569, "00001200");
  canvas_.TextOut(690, 569, "00001250");
  EXPECT_EQ(canvas_.TextCache().Renders(), 4u);
}

struct RectCase {
  int left, top, right, bottom, width;
  Box outer, inner;  // painted: inside outer and outside inner (both inclusive)
};

TEST_F(CanvasTest, RectangleOutlineCentresThePenOnTheEdge) {
  const RectCase cases[] = {
      {10, 20, 30, 40, 1, {10, 20, 29, 39}, {11, 21, 28, 38}},
      {10, 20, 30, 40, 3, {9, 19, 30, 40}, {12, 22, 27, 37}},
      {30, 40, 10, 20, 3, {9, 19, 30, 40}, {12, 22, 27, 37}},  // corners given swapped
      {287, 357, 602, 410, 3, {286, 356, 602, 410}, {289, 359, 599, 407}},
      {100, 100, 104, 103, 3, {99, 99, 104, 103}, {}},  // too small for a hole
      {-5, -5, 10, 10, 3, {0, 0, 10, 10}, {-3, -3, 7, 7}},
      {790, 590, 820, 620, 1, {790, 590, 799, 599}, {791, 591, 818, 618}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.left << "," << c.top << "," << c.right << "," << c.bottom << " w" << c.width);
    surface_ = MakeBackSurface();
    canvas_.SetSurface(surface_.get());
    canvas_.Pen.Color = RGB(255, 210, 0);
    canvas_.Pen.Width = c.width;
    canvas_.Rectangle(c.left, c.top, c.right, c.bottom);
    auto inside = [](const Box& b, int x, int y) {
      return x >= b.left && x <= b.right && y >= b.top && y <= b.bottom;
    };
    for (int y = 0; y < kH; ++y) {
      for (int x = 0; x < kW; ++x) {
        bool pen = inside(c.outer, x, y) && !inside(c.inner, x, y);
        ASSERT_EQ(PixelAt(surface_.get(), x, y), pen ? 0xFFFFD200 : Background(x, y))
            << "at " << x << "," << y;
      }
    }
  }
}

TEST_F(CanvasTest, RectangleBrushAndPenStyles) {
  canvas_.Pen.Style = TPenStyle::psClear;
  canvas_.Rectangle(10, 10, 40, 40);
  EXPECT_TRUE(ChangedBox(surface_.get()).Empty());

  canvas_.Brush.Style = TBrushStyle::bsSolid;
  canvas_.Brush.Color = RGB(0, 0, 255);
  canvas_.Rectangle(10, 10, 40, 40);
  Box b = ChangedBox(surface_.get());
  EXPECT_EQ(b.left, 10);
  EXPECT_EQ(b.top, 10);
  EXPECT_EQ(b.right, 39);
  EXPECT_EQ(b.bottom, 39);
  EXPECT_EQ(PixelAt(surface_.get(), 25, 25), 0xFF0000FFu);
}

TEST(Latin1ToUtf8, EncodesHighBytesAsTwo) {
  const std::pair<std::string, std::string> cases[] = {
      {"Score: 12", "Score: 12"},
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
      {"\x80\xFF", "\xC2\x80\xC3\xBF"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(Latin1ToUtf8(in), out);
}

}  // namespace
}  // namespace brinecast
