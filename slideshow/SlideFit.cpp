#include "SlideFit.h"

#include <algorithm>
#include <cstdint>

TSlideRect SlideFit(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight, bool enlarge) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || areaWidth <= 0 || areaHeight <= 0) return {};
  std::int64_t w = pictureWidth, h = pictureHeight;
  if (w > areaWidth || h > areaHeight || (enlarge && w < areaWidth && h < areaHeight)) {
    // The tighter direction decides, for shrinking and growing alike; compare w/W with h/H in
    // integers.
    if (w * areaHeight >= h * areaWidth) {
      h = std::max<std::int64_t>(1, (h * areaWidth * 2 + w) / (w * 2));
      w = areaWidth;
    } else {
      w = std::max<std::int64_t>(1, (w * areaHeight * 2 + h) / (h * 2));
      h = areaHeight;
    }
  }
  return {int((areaWidth - w) / 2), int((areaHeight - h) / 2), int(w), int(h)};
}
