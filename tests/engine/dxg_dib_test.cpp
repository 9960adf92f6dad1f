// Bitmap decoding and encoding: headers, palettes, masks and run-length rows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/DibDecoder.h"
#include "engine/DibEncoder.h"
#include "engine/DxgByteWriter.h"
#include "engine/EngineError.h"

namespace brinecast {
namespace {

struct DibSpec {
  DibSpec(int w, int h, int b, std::vector<uint8_t> d, std::vector<uint32_t> p = {}, uint32_t c = 0,
          std::vector<uint32_t> m = {}, int header = 40, int64_t used = -1)
      : width(w),
        height(h),
        bits(b),
        data(std::move(d)),
        palette(std::move(p)),
        compression(c),
        masks(std::move(m)),
        headerSize(header),
        colorsUsed(used) {}
  int width;
  int height;  // negative: top-down
  int bits;
  std::vector<uint8_t> data;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
  uint32_t compression;
  std::vector<uint32_t> masks;  // written after the header when given
  int headerSize;
  int64_t colorsUsed;  // -1: the palette's size
};

std::vector<uint8_t> MakeDib(const DibSpec& s) {
  DxgByteWriter out;
  out.U32(static_cast<uint32_t>(s.headerSize));
  if (s.headerSize == 12) {
    out.U16(static_cast<uint16_t>(s.width));
    out.U16(static_cast<uint16_t>(s.height));
    out.U16(1);
    out.U16(static_cast<uint16_t>(s.bits));
  } else {
    out.I32(s.width);
    out.I32(s.height);
    out.U16(1);
    out.U16(static_cast<uint16_t>(s.bits));
    out.U32(s.compression);
    for (int i = 0; i < 3; ++i) out.U32(0);
    out.U32(static_cast<uint32_t>(s.colorsUsed < 0 ? s.palette.size() : s.colorsUsed));
    out.U32(0);
  }
  for (uint32_t m : s.masks) out.U32(m);
  for (uint32_t c : s.palette) {
    out.U8(static_cast<uint8_t>(c));
    out.U8(static_cast<uint8_t>(c >> 8));
    out.U8(static_cast<uint8_t>(c >> 16));
    if (s.headerSize == 40) {
      out.U8(0);
    }
  }
  out.Bytes(s.data);
  return out.Take();
}

constexpr uint32_t R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;
const std::vector<uint32_t> kFour = {K, R, G, B};

struct DecodeCase {
  const char* name;
  DibSpec spec;
  std::vector<uint32_t> expected;  // top-down rows
};

class DibDecodeTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DibDecodeTest, DecodesPixelsTopDown) {
  const DecodeCase& c = GetParam();
  Picture pic = DecodeDib(MakeDib(c.spec));
  EXPECT_EQ(pic.width, c.spec.width);
  EXPECT_EQ(pic.height, std::abs(c.spec.height));
  EXPECT_EQ(pic.bitCount, c.spec.bits);
  EXPECT_EQ(pic.pixels, c.expected);
  if (c.spec.bits <= 8) {
    EXPECT_EQ(pic.palette, c.spec.palette);
  }
  // Sizes alone: the same picture but for its pixels.
  const Picture sized = DecodeDib(MakeDib(c.spec), PictureDetail::kSizes);
  EXPECT_TRUE(sized.sizesOnly);
  EXPECT_EQ(sized.width, pic.width);
  EXPECT_EQ(sized.height, pic.height);
  EXPECT_EQ(sized.bitCount, pic.bitCount);
  EXPECT_TRUE(sized.pixels.empty());
}

// Rows are padded to four bytes; stored bottom row first unless the height is negative.
std::vector<uint32_t> CorePalette() {
  std::vector<uint32_t> p(256, K);
  p[7] = G;
  p[9] = 0x123456;
  return p;
}

// Rows are padded to four bytes; stored bottom row first unless the height is negative.
INSTANTIATE_TEST_SUITE_P(
    Kinds, DibDecodeTest,
    testing::Values(
        DecodeCase{"Bits1",
                   {10, 2, 1, {0xFF, 0xC0, 0, 0, 0xA0, 0x40, 0, 0}, {K, W}},
                   {W, K, W, K, K, K, K, K, K, W, W, W, W, W, W, W, W, W, W, W}},
        DecodeCase{"Bits4", {3, 1, 4, {0x12, 0x30, 0, 0}, kFour}, {R, G, B}},
        DecodeCase{"Bits8IndexPastPaletteIsBlack", {3, 1, 8, {3, 200, 1, 0}, kFour}, {B, K, R}},
        DecodeCase{"Bits16Default555", {2, 1, 16, {0x00, 0x7C, 0x1F, 0x00}}, {R, B}},
        DecodeCase{"Bits16BitFields565",
                   {2, 1, 16, {0xE0, 0x07, 0x10, 0x84}, {}, 3, {0xF800, 0x07E0, 0x001F}},
                   {G, 0x848284}},
        DecodeCase{"Bits24BottomUp", {1, 2, 24, {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}}, {R, B}},
        DecodeCase{"Bits24TopDown", {1, -2, 24, {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}}, {B, R}},
        DecodeCase{"Bits32IgnoresAlphaByte",
                   {2, 1, 32, {0x03, 0x02, 0x01, 0xFF, 0xFF, 0, 0, 0x80}},
                   {0x010203, B}},
        DecodeCase{"Bits32BitFields",
                   {1, 1, 32, {0x11, 0x22, 0x33, 0}, {}, 3, {0x0000FF, 0x00FF00, 0xFF0000}},
                   {0x112233}},
        // Encoded run, absolute run with padding, delta, end of line, end of bitmap.
        DecodeCase{"Rle8",
                   {4, 3, 8, {2, 1, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 1, 1, 1, 2, 0, 1}, kFour, 1},
                   {K, G, K, K, K, K, K, K, R, R, G, B}},
        DecodeCase{"Rle4",
                   {5, 2, 4, {5, 0x12, 0, 0, 0, 3, 0x32, 0x10, 0, 1}, kFour, 2},
                   {B, G, R, K, K, R, G, R, G, R}},
        DecodeCase{"Rle8TopDownAndRunsClippedAtRowEnd",
                   {2, -2, 8, {5, 1, 0, 0, 2, 2}, kFour, 1},
                   {R, R, G, G}},
        DecodeCase{"CoreHeader", {2, 1, 8, {9, 7, 0, 0}, CorePalette(), 0, {}, 12}, {0x123456, G}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DibDecodeTest, NoBytesGiveAnEmptyPicture) {
  EXPECT_TRUE(DecodeDib({}).Empty());
  EXPECT_TRUE(DecodeDib(MakeDib({0, 5, 24, {}})).Empty());
}

TEST(DibDecodeTest, BadBitmapsAreInvalid) {
  const std::vector<uint8_t> zeros = {0, 0, 0, 0};
  const DibSpec bad[] = {
      {1, 1, 24, zeros, {}, 0, {}, 108},              // header size
      {1, 1, 24, zeros, {}, 4},                       // compression
      {1, 1, 24, zeros, {}, 1},                       // run length on 24 bits
      {1, 1, 8, zeros, kFour, 2},                     // 4-bit run length on 8 bits
      {1, 1, 3, zeros},                               // bit count
      {-1, 1, 24, zeros},                             // width
      {2, 2, 24, {1, 2, 3, 4, 5, 6, 0, 0, 1, 2, 3}},  // one byte short
      {1 << 30, 1 << 30, 1, zeros},                   // far more pixels than bytes
      {40000, 40000, 8, {0, 1}, kFour, 1},            // run length claiming too much
      {2, 2, 8, {}, kFour, 0, {}, 40, 300},           // palette cut short
  };
  // Reading sizes only checks as much: a bitmap the game could not load is refused the same.
  for (const PictureDetail detail : {PictureDetail::kPixels, PictureDetail::kSizes}) {
    for (const DibSpec& spec : bad) {
      try {
        DecodeDib(MakeDib(spec), detail);
        ADD_FAILURE() << "decoded a bad bitmap " << spec.width << "x" << spec.height;
      } catch (const EngineError& e) {
        EXPECT_STREQ(e.what(), "DIB is invalid");
      }
    }
  }
}

TEST(DibDecodeTest, BitmapFileUsesItsPixelOffset) {
  DxgByteWriter file;
  const auto dib = MakeDib({1, 1, 24, {}});
  file.Chars("BM");
  file.U32(0);
  file.U32(0);
  file.U32(static_cast<uint32_t>(14 + dib.size() + 2));  // two bytes of gap before the pixels
  file.Bytes(dib);
  file.Bytes(std::vector<uint8_t>{0xEE, 0xEE, 0x56, 0x34, 0x12, 0});
  EXPECT_EQ(DecodeBitmapFile(file.Take()).pixels, std::vector<uint32_t>{0x123456});
  EXPECT_THROW(DecodeBitmapFile(std::vector<uint8_t>{'B', 'X', 0, 0}), EngineError);
}

TEST(DibEncodeTest, EncodedPicturesDecodeToTheSamePixels) {
  for (int width : {1, 2, 3, 4, 5}) {
    Picture pic;
    pic.width = width;
    pic.height = 3;
    pic.bitCount = 24;
    for (int i = 0; i < width * 3; ++i)
      pic.pixels.push_back(0x010203u * static_cast<uint32_t>(i + 1));
    Picture back = DecodeDib(EncodeDib(pic));
    EXPECT_EQ(back.width, width);
    EXPECT_EQ(back.height, 3);
    EXPECT_EQ(back.pixels, pic.pixels) << "width " << width;
  }
  EXPECT_TRUE(EncodeDib(Picture{}).empty());
}

}  // namespace
}  // namespace brinecast
