#include "PngFile.h"

#include <stdexcept>
#include <vector>

#include "PngWriter.h"

void WritePng(const std::string& fileName, const TSoftwareBitmap& bitmap) {
  std::vector<uint8_t> rgb;
  rgb.reserve(size_t(bitmap.Width()) * bitmap.Height() * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);  // 0x00BBGGRR
      rgb.insert(rgb.end(), {uint8_t(c), uint8_t(c >> 8), uint8_t(c >> 16)});
    }
  }
  std::string error;
  if (!PngWriteRgb(fileName, bitmap.Width(), bitmap.Height(), rgb, error)) {
    throw std::runtime_error(error);
  }
}
