#pragma once

// Where a picture lands on a monitor: centred, with its aspect ratio kept, scaled down to fit
// when it is larger than the area in either direction and, when enlarging is asked for,
// scaled up to fit when it is smaller.

struct TSlideRect {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TSlideRect&) const = default;
};

// picture: its own size in pixels (upright); area: the monitor's (or host window's) size.
// enlarge: a picture smaller than the area in both directions grows until one side meets the
// area's.  A scaled side is rounded to the nearest pixel and is at least 1.  Empty when either
// size has a side of 0 or less.  Odd leftovers put the extra pixel right and below
// (left = (W - w) / 2).
TSlideRect SlideFit(int pictureWidth, int pictureHeight, int areaWidth, int areaHeight, bool enlarge);
