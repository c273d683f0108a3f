#include "GIFRows.h"

#include <algorithm>
#include <cstring>

namespace {

// The row of the picture that the n-th row of the data fills: interlaced data holds the rows
// 0, 8, 16, …, then 4, 12, …, then 2, 6, …, then 1, 3, ….
int InterlacedRow(int n, int height) {
  const int pass1 = (height + 7) / 8, pass2 = (height + 3) / 8, pass3 = (height + 1) / 4;
  if (n < pass1) return n * 8;
  n -= pass1;
  if (n < pass2) return 4 + n * 8;
  n -= pass2;
  if (n < pass3) return 2 + n * 4;
  n -= pass3;
  return 1 + n * 2;
}

}  // namespace

void GIFStoreRows(std::span<const uint8_t> linear, size_t decoded, TGIFFrame& frame) {
  const size_t width = size_t(frame.Width), height = size_t(frame.Height);
  for (size_t n = 0; n < height; ++n) {
    const int y = frame.Interlaced ? InterlacedRow(int(n), frame.Height) : int(n);
    const uint8_t* from = linear.data() + n * width;
    std::memcpy(frame.Picture.Row(y), from, width);
    if (!frame.Transparent) continue;
    // Only decoded pixels can be transparent; those the data did not reach stay opaque.
    const size_t reached = decoded > n * width ? std::min(width, decoded - n * width) : 0;
    uint8_t* maskRow = frame.Mask.Row(y);
    for (size_t x = 0; x < reached; ++x) {
      if (from[x] == frame.TransparentIndex) maskRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
    }
  }
}
