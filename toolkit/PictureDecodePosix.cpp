#include <stdexcept>

#include "PictureDecode.h"

// Bitmaps, icons and metafiles are read by the platform's own loaders, which only Windows has.
TPictureBitmap PictureDecodePlatform(std::span<const uint8_t>, TPictureFormat,
                                     const std::string& fileName, int, int, int64_t) {
  throw std::runtime_error(fileName + ": ." + PictureExtension(fileName) +
                           " pictures are read by the Windows build only");
}
