#pragma once

#include <cstdint>

#include "GraphDoc.h"
#include "Vector3.h"

// The point in space of the function values (c1, c2, c3) of a surface in coordinate system
// `system`: cylindrical (c1 angle, c2 height, c3 radius), spherical (c1 azimuth, c2 angle from
// the +z axis, c3 radius), anything else Cartesian.
TVector3 ToCartesian(double c1, double c2, double c3, TCoordSystem system);

struct TScreenPoint {
  int32_t x = 0, y = 0;

  friend bool operator==(const TScreenPoint&, const TScreenPoint&) = default;
};

// A projected point as the integer point of the drawing calls: each coordinate is held within
// ±2e9 and truncated toward zero, so nearly edge-on geometry stays in range.  NaN, which has
// no place on the screen, becomes 0.
TScreenPoint ToScreenPoint(long double x, long double y);
