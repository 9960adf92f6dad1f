// The PNG writer. Each row gets the filter whose bytes, read as signed, sum smallest in
// magnitude (none first on ties), and the rows are deflated as one stream at zlib's default
// level with the strategy meant for filtered data, in IDAT chunks of 8 KiB. The desktop's
// screenshots came out byte for byte like this before, and a test keeps it so.
#include "PngFile.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace brinecast::sim {
namespace {

constexpr std::size_t kChunkBytes = 8192;
constexpr int kBytesPerPixel = 3;

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const uint8_t* data, std::size_t size) {
  PutU32(out, static_cast<uint32_t>(size));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data, data + size);
  const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(size + 4));
  PutU32(out, static_cast<uint32_t>(crc));
}

int Paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// The row filtered with `type` (0 none .. 4 Paeth) into `out` (type byte first); returns
// the sum of its bytes' magnitudes.
std::size_t Filter(int type, const uint8_t* row, const uint8_t* above, std::size_t size,
                   std::vector<uint8_t>& out) {
  out.resize(size + 1);
  out[0] = static_cast<uint8_t>(type);
  std::size_t sum = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const int a = i >= kBytesPerPixel ? row[i - kBytesPerPixel] : 0;
    const int b = above[i];
    const int c = i >= kBytesPerPixel ? above[i - kBytesPerPixel] : 0;
    int predicted = 0;
    switch (type) {
      case 1:
        predicted = a;
        break;
      case 2:
        predicted = b;
        break;
      case 3:
        predicted = (a + b) / 2;
        break;
      case 4:
        predicted = Paeth(a, b, c);
        break;
      default:
        break;
    }
    const auto byte = static_cast<uint8_t>(row[i] - predicted);
    out[i + 1] = byte;
    sum += byte < 128 ? byte : 256 - byte;
  }
  return sum;
}

// A small picture needs no 32 KiB window: the smallest that holds it (and a little slack for
// the matcher), and at least the 512 bytes zlib can really use.
int WindowBits(std::size_t dataSize) {
  int bits = 15;
  if (dataSize <= 16384) {
    while (bits > 8 && dataSize + 262 <= (std::size_t{1} << (bits - 1))) --bits;
  }
  return bits == 8 ? 9 : bits;
}

// The stream's header then names the smallest window the data fits, down to 256 bytes.
void NarrowHeader(uint8_t* header, std::size_t dataSize) {
  if (dataSize > 16384 || (header[0] & 0x0F) != 8 || (header[0] & 0xF0) > 0x70) return;
  unsigned info = header[0] >> 4U;
  std::size_t half = std::size_t{1} << (info + 7);
  if (dataSize > half) return;
  do {
    half >>= 1U;
    --info;
  } while (info > 0 && dataSize <= half);
  header[0] = static_cast<uint8_t>((header[0] & 0x0FU) | (info << 4U));
  unsigned check = header[1] & 0xE0U;
  check += 0x1F - ((static_cast<unsigned>(header[0]) << 8U) + check) % 0x1F;
  header[1] = static_cast<uint8_t>(check);
}

class Deflater {
 public:
  Deflater(std::vector<uint8_t>& png, std::size_t dataSize) : png_(png), dataSize_(dataSize) {
    if (deflateInit2(&stream_, Z_DEFAULT_COMPRESSION, Z_DEFLATED, WindowBits(dataSize), 8,
                     Z_FILTERED) != Z_OK)
      throw std::runtime_error("cannot start zlib");
    Reset();
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  void Add(const std::vector<uint8_t>& bytes, bool last) {
    stream_.next_in = const_cast<Bytef*>(bytes.data());
    stream_.avail_in = static_cast<uInt>(bytes.size());
    const int flush = last ? Z_FINISH : Z_NO_FLUSH;
    for (;;) {
      const int result = deflate(&stream_, flush);
      if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
        throw std::runtime_error("zlib failed");
      if (stream_.avail_out == 0) {
        Emit(buffer_.size());
        continue;
      }
      if (result == Z_STREAM_END) {
        Emit(buffer_.size() - stream_.avail_out);
        return;
      }
      if (stream_.avail_in == 0 && !last) return;
    }
  }

 private:
  void Emit(std::size_t size) {
    if (first_ && size >= 2) NarrowHeader(buffer_.data(), dataSize_);
    first_ = false;
    PutChunk(png_, "IDAT", buffer_.data(), size);
    Reset();
  }

  void Reset() {
    stream_.next_out = buffer_.data();
    stream_.avail_out = static_cast<uInt>(buffer_.size());
  }

  std::vector<uint8_t>& png_;
  std::size_t dataSize_;
  bool first_ = true;
  z_stream stream_{};
  std::array<uint8_t, kChunkBytes> buffer_{};
};

}  // namespace

std::vector<uint8_t> EncodePng(const uint8_t* rgb, int width, int height, int pitch) {
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  PutU32(header, static_cast<uint32_t>(width));
  PutU32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB, no interlace
  PutChunk(png, "IHDR", header.data(), header.size());

  const std::size_t size = static_cast<std::size_t>(width) * kBytesPerPixel;
  const std::vector<uint8_t> blank(size, 0);
  std::vector<uint8_t> best, trial;
  Deflater deflater(png, (size + 1) * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgb + static_cast<std::ptrdiff_t>(y) * pitch;
    const uint8_t* above = y > 0 ? row - pitch : blank.data();
    std::size_t smallest = Filter(0, row, above, size, best);
    for (int type = 1; type <= 4; ++type) {
      // A single row has nothing above, a single column nothing to the left: those filters
      // are not tried.
      if ((height == 1 && type >= 2) || (width == 1 && type != 2)) continue;
      const std::size_t sum = Filter(type, row, above, size, trial);
      if (sum < smallest) {
        smallest = sum;
        best.swap(trial);
      }
    }
    deflater.Add(best, y + 1 == height);
  }
  PutChunk(png, "IEND", nullptr, 0);
  return png;
}

bool WritePng(const std::string& path, const uint8_t* rgb, int width, int height, int pitch) {
  const std::vector<uint8_t> png = EncodePng(rgb, width, height, pitch);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(file.flush());
}

}  // namespace brinecast::sim
