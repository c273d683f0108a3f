#include "PictureStretch.h"

#include <cstddef>

std::vector<uint32_t> PictureStretch(const uint32_t* source, int sourceWidth, int sourceHeight,
                                     int targetWidth, int targetHeight) {
  if (sourceWidth <= 0 || sourceHeight <= 0 || targetWidth <= 0 || targetHeight <= 0) return {};
  // Target pixel x covers [x, x + 1) of targetWidth; its centre falls on source column
  // (2x + 1) × sourceWidth / (2 × targetWidth), computed exactly in integers.
  std::vector<int> columns(static_cast<size_t>(targetWidth));
  for (int x = 0; x < targetWidth; ++x) {
    columns[size_t(x)] = int((2 * int64_t(x) + 1) * sourceWidth / (2 * int64_t(targetWidth)));
  }
  std::vector<uint32_t> target(size_t(targetWidth) * size_t(targetHeight));
  uint32_t* out = target.data();
  for (int y = 0; y < targetHeight; ++y) {
    const int row = int((2 * int64_t(y) + 1) * sourceHeight / (2 * int64_t(targetHeight)));
    const uint32_t* in = source + size_t(row) * size_t(sourceWidth);
    for (int x = 0; x < targetWidth; ++x) *out++ = in[columns[size_t(x)]];
  }
  return target;
}
