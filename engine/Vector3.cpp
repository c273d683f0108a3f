#include "Vector3.h"

#include <cmath>

namespace {
using X = long double;
}

TVector3 Add(const TVector3& a, const TVector3& b) {
  return {double(X(a.x) + b.x), double(X(a.y) + b.y), double(X(a.z) + b.z)};
}

TVector3 Sub(const TVector3& a, const TVector3& b) {
  return {double(X(a.x) - b.x), double(X(a.y) - b.y), double(X(a.z) - b.z)};
}

TVector3 Scale(long double s, const TVector3& a) {
  return {double(s * a.x), double(s * a.y), double(s * a.z)};
}

TVector3 Divide(const TVector3& a, long double s) {
  return {double(a.x / s), double(a.y / s), double(a.z / s)};
}

long double Dot(const TVector3& a, const TVector3& b) {
  return X(a.x) * b.x + X(a.y) * b.y + X(a.z) * b.z;
}

TVector3 Cross(const TVector3& a, const TVector3& b) {
  return {double(X(a.y) * b.z - X(b.y) * a.z), double(X(a.z) * b.x - X(b.z) * a.x),
          double(X(b.y) * a.x - X(a.y) * b.x)};
}

long double Length(const TVector3& a) {
  return std::sqrt(X(a.x) * a.x + X(a.y) * a.y + X(a.z) * a.z);
}

TVector3 Normalize(const TVector3& a) { return Divide(a, Length(a)); }

double Angle(const TVector3& a, const TVector3& b) {
  double c = static_cast<double>(Dot(a, b) / Length(a) / Length(b));
  if (c > 1) {
    c = 1;
  } else if (!(c >= -1)) {
    c = -1;
  }
  return std::acos(c);
}

TVector3 Centre(const TVector3& a, const TVector3& b, const TVector3& c, const TVector3& d) {
  return Divide(Add(Add(Add(a, b), c), d), 4);
}
