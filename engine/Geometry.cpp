#include "Geometry.h"

#include <cmath>

namespace {
using X = long double;

int32_t ScreenCoordinate(long double value) {
  constexpr long double Limit = 2e9;
  if (value > Limit) return 2000000000;
  if (value < -Limit) return -2000000000;
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(value);
}
}  // namespace

TVector3 ToCartesian(double c1, double c2, double c3, TCoordSystem system) {
  switch (system) {
    case csCylindrical:
      return {double(c3 * std::cos(X(c1))), double(c3 * std::sin(X(c1))), c2};
    case csSpherical: {
      // The distance from the z axis is narrowed before it is multiplied out.
      const double radial = double(c3 * std::sin(X(c2)));
      return {double(std::cos(X(c1)) * radial), double(std::sin(X(c1)) * radial),
              double(c3 * std::cos(X(c2)))};
    }
    default:
      return {c1, c2, c3};
  }
}

TScreenPoint ToScreenPoint(long double x, long double y) {
  return {ScreenCoordinate(x), ScreenCoordinate(y)};
}
