#pragma once

#include <array>
#include <optional>

// The monitor picture of the configuration dialog, measured from its bitmaps.  "SCRMONITOR"
// holds two halves side by side, the picture (left) and its mask (right); the corner marks
// ("SCRCORNERNOW" and its kin) are drawn in boxes inside the picture's screen.  All lengths
// are pixels; rectangles include left and top and exclude right and bottom, as RECT does.

struct TScrSize {
  int width = 0;
  int height = 0;
  bool operator==(const TScrSize&) const = default;
};

struct TScrRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool operator==(const TScrRect&) const = default;
};

// Indexes of the corner boxes: top-left, top-right, bottom-right, bottom-left (the order of
// TScrCorner), and the value for none.
inline constexpr int ScrNoCorner = 4;

struct TScrMonitorGeometry {
  TScrSize size;                      // the picture: half the bitmap's width by its height
  TScrRect screen;                    // the screen inside it, where a live preview goes
  std::array<TScrRect, 4> corners;    // one box per corner, in the screen's corners
};

// The picture is 184 x 170 without "SCRMONITOR", a corner box 32 x 32 without "SCRCORNERNOW".
// The screen spans (16, 17) to (169, 130) whatever the bitmap: the bitmap is drawn for it.
TScrMonitorGeometry ScrMeasureMonitor(std::optional<TScrSize> monitorBitmap,
                                      std::optional<TScrSize> cornerBitmap);

// The scale in percent the picture is drawn at on a screen of `dpi`.  Bitmaps are never
// resampled, which would blur them: there is a 150 % drawing of its own, and the 100 % one is
// enlarged pixel for pixel by whole factors.  So 100 below 144 DPI, 150 from 144, 200 from
// 192, 300 from 288.
int ScrMonitorScale(int dpi);

// The geometry at `percent` of the given one: every edge scaled, halves rounded up (the
// rule the 150 % bitmaps are drawn by).
TScrMonitorGeometry ScrScaleMonitor(const TScrMonitorGeometry& geometry, int percent);

// Where the picture's top-left corner lies in a control of the given size: centred (rounded
// towards the top-left), negative when the control is smaller.
TScrSize ScrMonitorOrigin(const TScrMonitorGeometry& geometry, TScrSize control);

// The corner whose box holds the point (picture coordinates), borders included on all four
// sides; where boxes overlap the later corner wins.  ScrNoCorner when the point lies in none.
int ScrCornerAt(const TScrMonitorGeometry& geometry, int x, int y);
