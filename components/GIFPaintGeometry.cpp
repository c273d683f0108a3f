#include "GIFPaintGeometry.h"

#include <cmath>

bool GIFStretched(const TGIFPlacement& placement, int W, int H, int w, int h) {
  return (placement.Stretch || placement.StretchRatio) && w > 0 && h > 0 && (W != w || H != h);
}

TGIFRect GIFTargetRect(const TGIFPlacement& placement, int W, int H, int w, int h) {
  if (GIFStretched(placement, W, H, w, h)) {
    if (placement.StretchRatio && !placement.Stretch) {
      const float fx = float(W) / float(w), fy = float(H) / float(h);
      if (fx > fy) {
        const int margin = int(std::nearbyint((float(W) - float(w) * fy) / 2.0f));
        return {margin, 0, W - margin, H};
      }
      const int margin = int(std::nearbyint((float(H) - float(h) * fx) / 2.0f));
      return {0, margin, W, H - margin};
    }
    return {0, 0, W, H};
  }
  if (placement.Tile) return {0, 0, W, H};
  if (placement.Center) {
    const int left = (W - w) / 2, top = (H - h) / 2;
    return {left, top, left + w, top + h};
  }
  return {0, 0, w, h};
}

TGIFTiles GIFTileCount(int W, int H, int w, int h) {
  if (w <= 0 || h <= 0) return {};
  return {W / w + 1, H / h + 1};
}

bool GIFOpaque(bool visible, bool opaque, bool pictureLoaded, bool frame1Transparent,
               const TGIFRect& target, int W, int H) {
  const bool covers = target.Left <= 0 && target.Top <= 0 && target.Right >= W && target.Bottom >= H;
  return visible && (opaque || (pictureLoaded && !frame1Transparent)) && covers;
}
