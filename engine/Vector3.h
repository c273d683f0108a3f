#pragma once

// Vectors of the graph geometry.  Components are stored as doubles; every operation computes
// in extended precision and narrows its result to double when it stores it.  The arithmetic
// follows IEEE rules without traps: a zero length gives infinities or NaN, which the callers'
// comparisons are written to absorb.

struct TVector3 {
  double x = 0, y = 0, z = 0;

  friend bool operator==(const TVector3&, const TVector3&) = default;
};

TVector3 Add(const TVector3& a, const TVector3& b);
TVector3 Sub(const TVector3& a, const TVector3& b);
TVector3 Scale(long double s, const TVector3& a);
TVector3 Divide(const TVector3& a, long double s);
long double Dot(const TVector3& a, const TVector3& b);
TVector3 Cross(const TVector3& a, const TVector3& b);
long double Length(const TVector3& a);
// a / Length(a); callers test the length for zero first.
TVector3 Normalize(const TVector3& a);
// The angle between a and b in radians, 0 to pi.  A cosine that rounding pushes past 1 is
// taken as 1, and one that is not at least −1 (NaN for a zero vector included) as −1.
double Angle(const TVector3& a, const TVector3& b);
// (((a + b) + c) + d) / 4, each step narrowed to double.
TVector3 Centre(const TVector3& a, const TVector3& b, const TVector3& c, const TVector3& d);
