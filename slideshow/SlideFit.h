#pragma once

// Where a picture lands in the saver's area: centred, scaled down to fit with its aspect
// ratio kept when it is larger than the area in either direction, never scaled up.

struct TSlideRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TSlideRect&) const = default;
};

// picture: its own size in pixels (upright); area: the window's client size.  A scaled side
// is rounded to the nearest pixel and is at least 1.  Empty when either size has a side of 0
// or less.  Odd leftovers put the extra pixel right and below (left = (W - w) / 2).
TSlideRect SlideFit(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight);
