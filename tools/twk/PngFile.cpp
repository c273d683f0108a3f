#include "PngFile.h"

#include <png.h>

#include <stdexcept>
#include <vector>

// libpng's simplified interface reports errors in the image structure, so no longjmp
// crosses this code.
void WritePng(const std::string& fileName, const TSoftwareBitmap& bitmap) {
  std::vector<png_byte> rgb;
  rgb.reserve(size_t(bitmap.Width()) * bitmap.Height() * 3);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const TColor c = bitmap.Pixel(x, y);  // 0x00BBGGRR
      rgb.push_back(c & 0xFF);
      rgb.push_back((c >> 8) & 0xFF);
      rgb.push_back((c >> 16) & 0xFF);
    }
  }
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = bitmap.Width();
  image.height = bitmap.Height();
  image.format = PNG_FORMAT_RGB;
  if (!png_image_write_to_file(&image, fileName.c_str(), 0, rgb.data(), 0, nullptr)) {
    throw std::runtime_error("Cannot write " + fileName + ": " + image.message);
  }
}
