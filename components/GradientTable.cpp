#include "GradientTable.h"

#include <cmath>

std::vector<TGFColor> GFColorTable(TGFColor start, TGFColor stop, int count) {
  std::vector<TGFColor> table(static_cast<size_t>(count));
  for (int j = 0; j < count; ++j) {
    TGFColor colour = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
      const int from = int(start >> shift & 0xFF), to = int(stop >> shift & 0xFF);
      // nearbyint rounds half to even in the default rounding mode, as the caption's
      // original arithmetic did.
      const int channel = from + int(std::nearbyint(double(to - from) / (count - 1) * j));
      colour |= TGFColor(channel) << shift;
    }
    table[size_t(j)] = colour;
  }
  return table;
}

int GFBandEdge(int index, int width, int count) {
  return int(std::nearbyint(double(index) * width / count));
}
