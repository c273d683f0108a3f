#include "PngWriter.h"

#include <png.h>

namespace {

// libpng's simplified interface reports failures in the image structure, so no longjmp
// crosses this code.
bool Write(const std::string& fileName, int width, int height, png_uint_32 format,
           const uint8_t* rows, std::string& error) {
  png_image image = {};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = format;
  if (png_image_write_to_file(&image, fileName.c_str(), 0, rows, 0, nullptr)) return true;
  error = "cannot write " + fileName + ": " + image.message;
  return false;
}

}  // namespace

bool PngWriteRgb(const std::string& fileName, int width, int height,
                 const std::vector<uint8_t>& rgbRows, std::string& error) {
  return Write(fileName, width, height, PNG_FORMAT_RGB, rgbRows.data(), error);
}

bool PngWriteMono(const std::string& fileName, int width, int height,
                  const std::vector<uint8_t>& bitRows, std::string& error) {
  // The simplified interface writes 8-bit grey; each bit becomes black or white.
  const size_t rowBytes = (size_t(width) + 7) / 8;
  std::vector<uint8_t> grey(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool white = bitRows[size_t(y) * rowBytes + size_t(x) / 8] & (0x80 >> (x % 8));
      grey[size_t(y) * width + x] = white ? 255 : 0;
    }
  }
  return Write(fileName, width, height, PNG_FORMAT_GRAY, grey.data(), error);
}
