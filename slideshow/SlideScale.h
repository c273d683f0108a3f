#pragma once

#include "SlideBitmap.h"

// Resamples a picture to width × height pixels, each direction on its own: where it grows, a
// target pixel is the linear blend of the two source pixels around its centre (bilinear);
// where it shrinks, the average of the source pixels it covers, weighted by how much of each
// it covers, so a reduction keeps no stray single pixels.  The fourth byte of every pixel
// becomes 255.  An empty source or a target side below 1 gives an empty bitmap.
TSlideBitmap SlideScale(const TSlideBitmap& source, int width, int height);
