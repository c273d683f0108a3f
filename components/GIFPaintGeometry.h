#pragma once

// Where the animated GIF control paints its picture, as pure functions of its placement
// properties, its size W × H and the picture's size w × h (all in pixels).

struct TGIFRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TGIFRect&) const = default;
};

struct TGIFPlacement {
  bool Stretch = false;        // scale the picture to the control
  bool StretchRatio = false;   // scale keeping the aspect ratio
  bool Tile = false;           // repeat the picture over the control
  bool Center = false;         // centre the unstretched picture
};

// The picture is stretched when Stretch or StretchRatio is on and the control's size differs
// from the picture's (and there is a picture: w and h above 0).
bool GIFStretched(const TGIFPlacement& placement, int W, int H, int w, int h);

// The rectangle the picture is drawn into:
// - stretched with StretchRatio and without Stretch: scaled by the smaller of the factors
//   W / w and H / h (single precision) and centred along the other axis, the margin rounded
//   to nearest with ties to even (the FPU's rounding);
// - stretched otherwise, or Tile: the whole control (tiles repeat from (0, 0));
// - Center: w × h at ((W − w) / 2, (H − h) / 2), truncated toward zero, possibly negative;
// - otherwise w × h at (0, 0).
TGIFRect GIFTargetRect(const TGIFPlacement& placement, int W, int H, int w, int h);

// How many times a tiled picture is drawn across and down: W / w + 1 and H / h + 1.
// Zero for a picture without pixels.
struct TGIFTiles {
  int Columns = 0, Rows = 0;
};
TGIFTiles GIFTileCount(int W, int H, int w, int h);

// Whether the control covers everything beneath it, so its parent need not paint there:
// it is visible, either Opaque is on or a picture is loaded whose frame 1 is not transparent,
// and the target rectangle covers the whole control.
bool GIFOpaque(bool visible, bool opaque, bool pictureLoaded, bool frame1Transparent,
               const TGIFRect& target, int W, int H);
