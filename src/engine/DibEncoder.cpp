// Encoding a picture as the 24-bit bitmap the archive writer stores.
#include "engine/DibEncoder.h"

#include "engine/DxgByteWriter.h"

namespace brinecast {

std::vector<uint8_t> EncodeDib(const Picture& picture) {
  if (picture.Empty()) return {};
  const size_t w = static_cast<size_t>(picture.width);
  const size_t h = static_cast<size_t>(picture.height);
  const size_t stride = (w * 3 + 3) / 4 * 4;
  DxgByteWriter out;
  out.U32(40);
  out.I32(picture.width);
  out.I32(picture.height);
  out.U16(1);   // planes
  out.U16(24);  // bits per pixel
  out.U32(0);   // uncompressed
  out.U32(static_cast<uint32_t>(stride * h));
  out.U32(2835);  // 72 dpi, in pixels per metre
  out.U32(2835);
  out.U32(0);  // colours used
  out.U32(0);  // colours important
  std::vector<uint8_t> bytes = out.Take();
  const size_t header = bytes.size();
  bytes.resize(header + stride * h, 0);
  for (size_t n = 0; n < h; ++n) {
    const uint32_t* src = picture.pixels.data() + (h - 1 - n) * w;
    uint8_t* dst = bytes.data() + header + n * stride;
    for (size_t x = 0; x < w; ++x, dst += 3) {
      dst[0] = static_cast<uint8_t>(src[x]);
      dst[1] = static_cast<uint8_t>(src[x] >> 8);
      dst[2] = static_cast<uint8_t>(src[x] >> 16);
    }
  }
  return bytes;
}

}  // namespace brinecast
