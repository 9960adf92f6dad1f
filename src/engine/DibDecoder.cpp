// Decoding device-independent bitmaps and bitmap files: headers, palettes, masks,
// uncompressed and run-length rows, every read checked.
#include "engine/DibDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <optional>
#include <vector>

#include "engine/DxgByteReader.h"

namespace brinecast {
namespace {

constexpr const char* kDibInvalid = "DIB is invalid";
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// Run-length data can describe far more pixels than it has bytes (skips, end of
// bitmap); beyond this many pixels per byte the size is not taken on trust.
constexpr uint64_t kRlePixelsPerByte = 256;
constexpr uint64_t kRleMinPixels = 65536;
constexpr uint64_t kMaxPixels = uint64_t{1} << 28;

struct DibHeader {
  int64_t width = 0;
  int64_t height = 0;
  bool topDown = false;
  int bitCount = 0;
  uint32_t compression = kRgb;
  std::array<uint32_t, 3> masks{};  // red, green, blue
  std::vector<uint32_t> palette;
};

[[noreturn]] void Invalid() {
  throw EngineError(kDibInvalid);
}

bool ValidBitCount(int bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

bool ValidCompression(uint32_t compression, int bits) {
  switch (compression) {
    case kRgb:
      return true;
    case kRle8:
      return bits == 8;
    case kRle4:
      return bits == 4;
    case kBitFields:
      return bits == 16 || bits == 32;
    default:
      return false;
  }
}

DibHeader ReadHeader(DxgByteReader& in) {
  DibHeader h;
  uint32_t headerSize = in.U32();
  uint32_t colorsUsed = 0;
  size_t entrySize = 4;
  if (headerSize == 12) {
    h.width = in.U16();
    h.height = in.U16();
    in.U16();  // planes
    h.bitCount = in.U16();
    entrySize = 3;
  } else if (headerSize == 40) {
    h.width = in.I32();
    h.height = in.I32();
    in.U16();  // planes
    h.bitCount = in.U16();
    h.compression = in.U32();
    in.Skip(12);  // image size, resolution
    colorsUsed = in.U32();
    in.U32();  // colours important
  } else {
    Invalid();
  }
  if (h.width < 0 || !ValidBitCount(h.bitCount) || !ValidCompression(h.compression, h.bitCount))
    Invalid();
  if (h.height < 0) {
    h.topDown = true;
    h.height = -h.height;
  }
  if (h.compression == kBitFields) {
    for (auto& mask : h.masks) mask = in.U32();
  } else if (h.bitCount == 16) {
    h.masks = {0x7C00, 0x03E0, 0x001F};
  } else {
    h.masks = {0xFF0000, 0x00FF00, 0x0000FF};
  }
  uint32_t entries =
      colorsUsed ? std::min<uint32_t>(colorsUsed, 256) : (h.bitCount <= 8 ? 1u << h.bitCount : 0u);
  auto table = in.Bytes(uint64_t{entries} * entrySize);
  h.palette.resize(entries);
  for (uint32_t i = 0; i < entries; ++i) {
    const uint8_t* e = table.data() + i * entrySize;
    h.palette[i] = (uint32_t{e[2]} << 16) | (uint32_t{e[1]} << 8) | e[0];
  }
  return h;
}

// One colour channel of a bit-field pixel, scaled to 0..255.
class Channel {
 public:
  explicit Channel(uint32_t mask)
      : mask_(mask), shift_(mask ? std::countr_zero(mask) : 0), max_(mask >> shift_) {}
  uint32_t operator()(uint32_t pixel) const {
    if (max_ == 0) return 0;
    uint64_t v = (pixel & mask_) >> shift_;
    return static_cast<uint32_t>((v * 255 + max_ / 2) / max_);
  }

 private:
  uint32_t mask_;
  int shift_;
  uint32_t max_;
};

class PixelSink {
 public:
  PixelSink(const DibHeader& h, Picture& pic) : h_(h), pic_(pic) {}
  // Destination row of the `n`th row stored in the data.
  uint32_t* Row(int64_t n) {
    int64_t y = h_.topDown ? n : h_.height - 1 - n;
    return pic_.pixels.data() + y * h_.width;
  }

 private:
  const DibHeader& h_;
  Picture& pic_;
};

// Index -> colour for every possible index; indices past the palette are black.
std::array<uint32_t, 256> Lookup(const std::vector<uint32_t>& palette) {
  std::array<uint32_t, 256> lut{};
  std::copy(palette.begin(), palette.end(), lut.begin());
  return lut;
}

uint64_t RowBytes(const DibHeader& h) {
  return (static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.bitCount) + 7) / 8;
}
uint64_t Stride(const DibHeader& h) {
  return (RowBytes(h) + 3) / 4 * 4;
}

// Bytes the uncompressed rows need; the last row may lack its padding.
uint64_t RowsSize(const DibHeader& h) {
  return Stride(h) * static_cast<uint64_t>(h.height - 1) + RowBytes(h);
}

// Uncompressed rows; the caller has checked RowsSize against the data.
void DecodeRows(const DibHeader& h, std::span<const uint8_t> data, Picture& pic) {
  const uint64_t w = static_cast<uint64_t>(h.width);
  const uint64_t stride = Stride(h);
  PixelSink sink(h, pic);
  const auto lut = Lookup(h.palette);
  const Channel red(h.masks[0]), green(h.masks[1]), blue(h.masks[2]);
  const bool plain32 = h.masks == std::array<uint32_t, 3>{0xFF0000, 0x00FF00, 0x0000FF};
  for (int64_t n = 0; n < h.height; ++n) {
    const uint8_t* src = data.data() + static_cast<uint64_t>(n) * stride;
    uint32_t* dst = sink.Row(n);
    switch (h.bitCount) {
      case 1:
        for (uint64_t x = 0; x < w; ++x) dst[x] = lut[(src[x >> 3] >> (7 - (x & 7))) & 1];
        break;
      case 4:
        for (uint64_t x = 0; x < w; ++x) dst[x] = lut[(src[x >> 1] >> ((x & 1) ? 0 : 4)) & 15];
        break;
      case 8:
        for (uint64_t x = 0; x < w; ++x) dst[x] = lut[src[x]];
        break;
      case 16:
        for (uint64_t x = 0; x < w; ++x) {
          uint32_t v = src[2 * x] | (uint32_t{src[2 * x + 1]} << 8);
          dst[x] = (red(v) << 16) | (green(v) << 8) | blue(v);
        }
        break;
      case 24:
        for (uint64_t x = 0; x < w; ++x, src += 3)
          dst[x] = (uint32_t{src[2]} << 16) | (uint32_t{src[1]} << 8) | src[0];
        break;
      case 32:
        for (uint64_t x = 0; x < w; ++x, src += 4) {
          uint32_t v = src[0] | (uint32_t{src[1]} << 8) | (uint32_t{src[2]} << 16) |
                       (uint32_t{src[3]} << 24);
          dst[x] = plain32 ? (v & 0xFFFFFF) : (red(v) << 16) | (green(v) << 8) | blue(v);
        }
        break;
    }
  }
}

// Run-length rows into palette indices, rows in stored order. Data that ends early
// leaves the rest at index 0, as does a skip.
std::vector<uint8_t> DecodeRunLength(const DibHeader& h, std::span<const uint8_t> data) {
  const int64_t w = h.width;
  std::vector<uint8_t> idx(static_cast<size_t>(w * h.height), 0);
  const bool four = h.compression == kRle4;
  int64_t x = 0, y = 0;
  auto put = [&](uint8_t index) {
    if (x < w && y < h.height) idx[static_cast<size_t>(y * w + x)] = index;
    ++x;
  };
  size_t p = 0;
  const size_t end = data.size();
  while (y < h.height && end - p >= 2) {
    uint8_t count = data[p], value = data[p + 1];
    p += 2;
    if (count > 0) {
      int64_t n = std::min<int64_t>(count, std::max<int64_t>(w - x, 0));
      for (int64_t k = 0; k < n; ++k) put(four ? ((k & 1) ? value & 15 : value >> 4) : value);
      x += count - n;
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (end - p < 2) break;
      x += data[p];
      y += data[p + 1];
      p += 2;
    } else {
      size_t bytes = four ? (value + 1u) / 2 : value;
      size_t padded = (bytes + 1) / 2 * 2;
      if (end - p < bytes) break;
      for (int k = 0; k < value; ++k) {
        uint8_t b = data[p + (four ? k / 2 : k)];
        put(four ? ((k & 1) ? b & 15 : b >> 4) : b);
      }
      p += std::min(padded, end - p);
    }
  }
  return idx;
}

Picture Decode(DxgByteReader& in, std::optional<size_t> pixelOffset, PictureDetail detail) {
  DibHeader h = ReadHeader(in);
  if (pixelOffset && *pixelOffset >= in.Position()) in.Seek(*pixelOffset);
  Picture pic;
  pic.bitCount = h.bitCount;
  pic.palette = h.palette;
  const uint64_t count = static_cast<uint64_t>(h.width) * static_cast<uint64_t>(h.height);
  if (count == 0) return pic;
  if (count > kMaxPixels) Invalid();
  auto data = in.Bytes(in.Remaining());
  const bool rle = h.compression == kRle8 || h.compression == kRle4;
  if (rle && count > std::max<uint64_t>(kRleMinPixels, data.size() * kRlePixelsPerByte)) Invalid();
  if (!rle && RowsSize(h) > data.size()) Invalid();
  pic.width = static_cast<int>(h.width);
  pic.height = static_cast<int>(h.height);
  if (detail == PictureDetail::kSizes) {
    pic.sizesOnly = true;
    return pic;
  }
  pic.pixels.resize(static_cast<size_t>(count));
  if (!rle) {
    DecodeRows(h, data, pic);
    return pic;
  }
  const auto idx = DecodeRunLength(h, data);
  const auto lut = Lookup(h.palette);
  PixelSink sink(h, pic);
  for (int64_t n = 0; n < h.height; ++n) {
    const uint8_t* src = idx.data() + n * h.width;
    uint32_t* dst = sink.Row(n);
    for (int64_t x = 0; x < h.width; ++x) dst[x] = lut[src[x]];
  }
  return pic;
}

}  // namespace

Picture DecodeDib(std::span<const uint8_t> bytes, PictureDetail detail) {
  if (bytes.empty()) return Picture{};
  DxgByteReader in(bytes, kDibInvalid);
  return Decode(in, std::nullopt, detail);
}

Picture DecodeBitmapFile(std::span<const uint8_t> bytes, PictureDetail detail) {
  DxgByteReader in(bytes, kDibInvalid);
  if (in.U8() != 'B' || in.U8() != 'M') Invalid();
  in.Skip(8);  // file size, reserved
  uint32_t pixelOffset = in.U32();
  DxgByteReader dib(bytes.subspan(14), kDibInvalid);
  return Decode(dib, pixelOffset > 14 ? std::optional<size_t>(pixelOffset - 14) : std::nullopt,
                detail);
}

}  // namespace brinecast
