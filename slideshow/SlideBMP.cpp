#include "SlideBitmap.h"

#include <cstddef>

namespace {

std::uint32_t SlideLE(std::span<const std::uint8_t> b, std::size_t at, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | b[at + std::size_t(i)];
  return value;
}

}  // namespace

TSlideBitmap SlideReadBMP(std::span<const std::uint8_t> bytes, std::int64_t maxPixels) {
  // BITMAPFILEHEADER (14 bytes: "BM", size, reserved, offset of the pixels), then the info
  // header, whose first field is its own size (40 for BITMAPINFOHEADER, more for later ones).
  if (bytes.size() < 14 + 40 || bytes[0] != 'B' || bytes[1] != 'M')
    throw ESlideError("Not a bitmap file");
  const std::uint32_t pixelOffset = SlideLE(bytes, 10, 4);
  const std::uint32_t headerSize = SlideLE(bytes, 14, 4);
  const std::int32_t width = std::int32_t(SlideLE(bytes, 18, 4));
  const std::int32_t rawHeight = std::int32_t(SlideLE(bytes, 22, 4));
  const std::uint32_t bits = SlideLE(bytes, 28, 2);
  const std::uint32_t compression = SlideLE(bytes, 30, 4);
  std::uint32_t colours = SlideLE(bytes, 46, 4);
  if (headerSize < 40 || headerSize > bytes.size() - 14) throw ESlideError("Not a bitmap file");
  // BI_RGB only; BI_BITFIELDS (3) at 32 bits is read as the usual blue-green-red order.
  const bool known = bits == 1 || bits == 4 || bits == 8 || bits == 24 || bits == 32;
  if (!known || !(compression == 0 || (compression == 3 && bits == 32)))
    throw ESlideError("Unsupported bitmap format");
  if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN) throw ESlideError("Not a bitmap file");
  const bool topDown = rawHeight < 0;
  const std::int64_t height = topDown ? -std::int64_t(rawHeight) : rawHeight;
  if (std::int64_t(width) * height > maxPixels) throw ESlideError("Bitmap picture too large");

  std::vector<std::uint32_t> palette;
  if (bits <= 8) {
    if (colours == 0 || colours > (1u << bits)) colours = 1u << bits;
    const std::size_t at = 14 + headerSize;
    if (at + std::size_t(colours) * 4 > bytes.size()) throw ESlideError("Bitmap file too short");
    for (std::uint32_t i = 0; i < colours; ++i)
      palette.push_back(0xFF000000u | (SlideLE(bytes, at + i * 4, 4) & 0xFFFFFF));
  }
  const std::size_t stride = (std::size_t(width) * bits + 31) / 32 * 4;
  if (pixelOffset > bytes.size() || (bytes.size() - pixelOffset) / stride < std::size_t(height))
    throw ESlideError("Bitmap file too short");

  TSlideBitmap bitmap{width, int(height), std::vector<std::uint32_t>(std::size_t(width) * std::size_t(height))};
  for (std::int64_t y = 0; y < height; ++y) {
    const std::uint8_t* row = bytes.data() + pixelOffset + std::size_t(topDown ? y : height - 1 - y) * stride;
    std::uint32_t* out = bitmap.Pixels.data() + std::size_t(y) * std::size_t(width);
    for (int x = 0; x < width; ++x) {
      if (bits == 24 || bits == 32) {
        const std::uint8_t* p = row + std::size_t(x) * (bits / 8);
        out[x] = 0xFF000000u | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
      } else {
        const std::size_t bit = std::size_t(x) * bits;
        const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
        // An index beyond a short colour table shows black, as the platform draws it.
        out[x] = index < palette.size() ? palette[index] : 0xFF000000u;
      }
    }
  }
  return bitmap;
}
