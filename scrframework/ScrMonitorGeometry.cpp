#include "ScrMonitorGeometry.h"

TScrMonitorGeometry ScrMeasureMonitor(std::optional<TScrSize> monitorBitmap,
                                      std::optional<TScrSize> cornerBitmap) {
  TScrMonitorGeometry geometry;
  geometry.size = monitorBitmap ? TScrSize{monitorBitmap->width / 2, monitorBitmap->height}
                                : TScrSize{184, 170};
  geometry.screen = {16, 17, 169, 130};
  const TScrSize box = cornerBitmap.value_or(TScrSize{32, 32});
  const TScrRect& s = geometry.screen;
  geometry.corners = {{
      {s.left, s.top, s.left + box.width, s.top + box.height},
      {s.right - box.width, s.top, s.right, s.top + box.height},
      {s.right - box.width, s.bottom - box.height, s.right, s.bottom},
      {s.left, s.bottom - box.height, s.left + box.width, s.bottom},
  }};
  return geometry;
}

int ScrMonitorScale(int dpi) {
  if (dpi >= 192) return dpi / 96 * 100;
  return dpi >= 144 ? 150 : 100;
}

TScrMonitorGeometry ScrScaleMonitor(const TScrMonitorGeometry& geometry, int percent) {
  const auto edge = [percent](int v) { return (v * percent + 50) / 100; };
  const auto scale = [edge](const TScrRect& r) {
    return TScrRect{edge(r.left), edge(r.top), edge(r.right), edge(r.bottom)};
  };
  TScrMonitorGeometry scaled;
  scaled.size = {edge(geometry.size.width), edge(geometry.size.height)};
  scaled.screen = scale(geometry.screen);
  for (size_t corner = 0; corner < geometry.corners.size(); ++corner)
    scaled.corners[corner] = scale(geometry.corners[corner]);
  return scaled;
}

TScrSize ScrMonitorOrigin(const TScrMonitorGeometry& geometry, TScrSize control) {
  // Floor division, so that a control one pixel too small puts the picture at -1, not 0.
  auto half = [](int extra) { return extra >= 0 ? extra / 2 : -((-extra + 1) / 2); };
  return {half(control.width - geometry.size.width), half(control.height - geometry.size.height)};
}

int ScrCornerAt(const TScrMonitorGeometry& geometry, int x, int y) {
  int found = ScrNoCorner;
  for (int corner = 0; corner < 4; ++corner) {
    const TScrRect& box = geometry.corners[corner];
    if (x >= box.left && x <= box.right && y >= box.top && y <= box.bottom) found = corner;
  }
  return found;
}
