#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

// A still picture of the slideshow: 32-bit pixels 0xFFRRGGBB (in memory blue, green, red,
// 255, a 32-bit Windows bitmap), rows top-down, no padding.
struct TSlideBitmap {
  int Width = 0;
  int Height = 0;
  std::vector<std::uint32_t> Pixels;
};

// A picture that cannot be shown; what() names the fault in a few words.
class ESlideError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// Turns a picture upright by its EXIF orientation (1 to 8, JPEGExif.h): 2 mirrors it left to
// right, 3 turns it half round, 4 mirrors it top to bottom, 5 transposes it, 6 turns it a
// quarter clockwise, 7 transposes it across the other diagonal, 8 turns it a quarter
// anticlockwise.  Orientations 5 to 8 exchange width and height; 1 and unknown values leave
// the picture as it is.
void SlideOrient(TSlideBitmap& bitmap, int orientation);

// Whether an orientation exchanges width and height.
inline bool SlideOrientationTurns(int orientation) { return orientation >= 5 && orientation <= 8; }
