#include "SlideBitmap.h"

#include <cstddef>

void SlideOrient(TSlideBitmap& bitmap, int orientation) {
  if (orientation < 2 || orientation > 8) return;
  const int w = bitmap.Width, h = bitmap.Height;
  const bool turns = SlideOrientationTurns(orientation);
  const int tw = turns ? h : w, th = turns ? w : h;
  std::vector<std::uint32_t> target(bitmap.Pixels.size());
  // For every stored pixel (x, y), the place it takes in the upright picture.
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* row = bitmap.Pixels.data() + std::size_t(y) * std::size_t(w);
    for (int x = 0; x < w; ++x) {
      int tx = x, ty = y;
      switch (orientation) {
        case 2: tx = w - 1 - x; break;
        case 3: tx = w - 1 - x; ty = h - 1 - y; break;
        case 4: ty = h - 1 - y; break;
        case 5: tx = y; ty = x; break;
        case 6: tx = h - 1 - y; ty = x; break;
        case 7: tx = h - 1 - y; ty = w - 1 - x; break;
        case 8: tx = y; ty = w - 1 - x; break;
      }
      target[std::size_t(ty) * std::size_t(tw) + std::size_t(tx)] = row[x];
    }
  }
  bitmap.Width = tw;
  bitmap.Height = th;
  bitmap.Pixels = std::move(target);
}
