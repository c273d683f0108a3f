#pragma once

#include <cstdint>

#include "GraphDoc.h"

// A colour as three signed components for shading arithmetic; differences may leave 0 to 255
// on the way.
struct TRgb {
  int32_t red = 0, green = 0, blue = 0;

  friend bool operator==(const TRgb&, const TRgb&) = default;
};

inline TRgb SplitColor(TColor c) {
  return {int32_t(c & 0xFF), int32_t((c >> 8) & 0xFF), int32_t((c >> 16) & 0xFF)};
}

inline TRgb AddColor(const TRgb& a, const TRgb& b) {
  return {a.red + b.red, a.green + b.green, a.blue + b.blue};
}

inline TRgb SubColor(const TRgb& a, const TRgb& b) {
  return {a.red - b.red, a.green - b.green, a.blue - b.blue};
}

// A product truncated toward zero.  A shade made NaN or huge by degenerate geometry gives a
// component held in range rather than an undefined conversion.
inline int32_t TruncateComponent(long double x) {
  if (!(x > -2147483648.0L)) return x != x ? 0 : INT32_MIN;
  if (!(x < 2147483648.0L)) return INT32_MAX;
  return static_cast<int32_t>(x);
}

// Each component times s, the product in extended precision, truncated toward zero.
inline TRgb ScaleColor(const TRgb& c, double s) {
  const long double k = s;
  return {TruncateComponent(c.red * k), TruncateComponent(c.green * k),
          TruncateComponent(c.blue * k)};
}

// red + green × 256 + blue × 65536.
inline TColor JoinColor(const TRgb& c) {
  return static_cast<TColor>(c.red + c.green * 256 + c.blue * 65536);
}
