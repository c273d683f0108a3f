#pragma once

#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

// Colour reduction for GIF frames: the colours a picture holds, a palette of at most 256 of
// them by median cut, and the nearest palette entry of any colour.  Colours are 0x00RRGGBB;
// the top byte of a pixel must be 0.

struct TGIFColorCount {
  uint32_t Color = 0;
  uint64_t Count = 0;   // pixels of that colour
  bool operator==(const TGIFColorCount&) const = default;
};

// Every colour of `pixels` with its count, sorted by colour.
std::vector<TGIFColorCount> GIFCountColors(std::span<const uint32_t> pixels);

// A palette of at most maxColors (1 to 256) for the colours of `histogram` (any order, each
// colour once, counts above 0).  When the histogram holds no more than maxColors colours the
// palette is exactly those colours, in histogram order.  Otherwise median cut: starting from
// one box round all colours, the box whose pixels lie furthest from their mean (the largest
// sum of squared distances) is split across its widest channel where the two halves' sums are
// smallest, until maxColors boxes exist; each palette entry is the count-weighted mean of its
// box, rounded.  No dithering: rendered graphs are flat-shaded areas, where dither noise reads
// worse than a slightly wrong shade and compresses far worse.
std::vector<uint32_t> GIFMedianCut(std::span<const TGIFColorCount> histogram, int maxColors);

// The nearest entry of a palette (1 to 256 colours) by squared distance in RGB, the lowest
// index on a tie.  Remembers the colours it has looked up: a picture has few colours compared
// with its pixels.  The palette is copied.
class TGIFNearestColor {
public:
  explicit TGIFNearestColor(std::span<const uint32_t> palette);
  uint8_t operator()(uint32_t color);

private:
  std::vector<uint32_t> palette_;
  std::unordered_map<uint32_t, uint8_t> found_;
};

// The squared distance of two colours in RGB, 0 to 3 × 255².
inline int GIFColorDistance2(uint32_t a, uint32_t b) {
  const int dr = int(a >> 16 & 0xFF) - int(b >> 16 & 0xFF);
  const int dg = int(a >> 8 & 0xFF) - int(b >> 8 & 0xFF);
  const int db = int(a & 0xFF) - int(b & 0xFF);
  return dr * dr + dg * dg + db * db;
}
