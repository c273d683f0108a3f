#include "SoftwareCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>

void TSoftwareBitmap::SetSize(int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width == width_ && height == height_) return;
  std::vector<TColor> resized(size_t(width) * height, 0);
  for (int y = 0; y < std::min(height, height_); ++y) {
    std::copy_n(&pixels_[size_t(y) * width_], std::min(width, width_), &resized[size_t(y) * width]);
  }
  pixels_ = std::move(resized);
  width_ = width;
  height_ = height;
}

void TSoftwareBitmap::SetPixel(int x, int y, TColor color) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[size_t(y) * width_ + x] = color;
}

void TSoftwareBitmap::MoveTo(int x, int y) {
  penX_ = x;
  penY_ = y;
}

void TSoftwareBitmap::LineTo(int x, int y) {
  Line(penX_, penY_, x, y, pen_);
  penX_ = x;
  penY_ = y;
}

// Bresenham's line from its start, one pixel per step of the major axis, the end point left
// out.  The minor coordinate of step i is the start's plus i × minor / major rounded to the
// nearest integer, halves toward the smaller coordinate, as GDI rounds them in every
// direction.  Only the steps whose major coordinate lies on the bitmap are visited, so lines
// with far-away ends cost no more than short ones.
void TSoftwareBitmap::Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, TColor color) {
  const int64_t dx = x1 - x0, dy = y1 - y0;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t major = xMajor ? std::llabs(dx) : std::llabs(dy);
  const int64_t minor = xMajor ? std::llabs(dy) : std::llabs(dx);
  if (major == 0) return;
  const int64_t majorStart = xMajor ? x0 : y0, minorStart = xMajor ? y0 : x0;
  const int majorSign = (xMajor ? dx : dy) > 0 ? 1 : -1;
  const int minorSign = (xMajor ? dy : dx) >= 0 ? 1 : -1;
  const int64_t limit = xMajor ? width_ : height_;
  // Steps i in [first, last) put the major coordinate inside [0, limit).
  int64_t first = 0, last = major;
  if (majorSign > 0) {
    first = std::max<int64_t>(first, -majorStart);
    last = std::min<int64_t>(last, limit - majorStart);
  } else {
    first = std::max<int64_t>(first, majorStart - limit + 1);
    last = std::min<int64_t>(last, majorStart + 1);
  }
  // |offset| = round(i × minor / major): a half goes down when the minor coordinate grows and
  // up (to the larger distance, the smaller coordinate) when it shrinks.
  const int64_t half = minorSign > 0 ? major - 1 : major;
  for (int64_t i = first; i < last; ++i) {
    const int64_t offset = (2 * i * minor + half) / (2 * major);
    const int64_t m = majorStart + majorSign * i;
    const int64_t n = minorStart + minorSign * offset;
    if (xMajor) {
      if (n >= 0 && n < height_) pixels_[size_t(n) * width_ + size_t(m)] = color;
    } else {
      if (n >= 0 && n < width_) pixels_[size_t(m) * width_ + size_t(n)] = color;
    }
  }
}

// Alternate fill: a pixel (x, y) is inside when a ray from its top-left corner crosses the
// outline an odd number of times.  Each scan line y meets the edges whose span [ymin, ymax)
// contains y; the pixels from the ceiling of one crossing up to the ceiling of the next are
// filled, pair by pair.
void TSoftwareBitmap::Polygon(std::span<const TScreenPoint> points) {
  if (points.size() < 2) return;
  int64_t top = INT64_MAX, bottom = INT64_MIN;
  for (const TScreenPoint& p : points) {
    top = std::min<int64_t>(top, p.y);
    bottom = std::max<int64_t>(bottom, p.y);
  }
  top = std::max<int64_t>(top, 0);
  bottom = std::min<int64_t>(bottom, height_);
  std::vector<long double> crossings;
  for (int64_t y = top; y < bottom; ++y) {
    crossings.clear();
    for (size_t i = 0; i < points.size(); ++i) {
      const TScreenPoint& a = points[i];
      const TScreenPoint& b = points[(i + 1) % points.size()];
      if (a.y == b.y) continue;
      const bool down = a.y < b.y;
      const int64_t ya = down ? a.y : b.y, yb = down ? b.y : a.y;
      if (y < ya || y >= yb) continue;
      const int64_t xa = down ? a.x : b.x, xb = down ? b.x : a.x;
      crossings.push_back(xa + static_cast<long double>(xb - xa) * (y - ya) / (yb - ya));
    }
    std::sort(crossings.begin(), crossings.end());
    for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
      const long double from = std::max<long double>(std::ceil(crossings[i]), 0);
      const long double to = std::min<long double>(std::ceil(crossings[i + 1]), width_);
      for (int64_t x = static_cast<int64_t>(from); x < static_cast<int64_t>(to); ++x) {
        pixels_[size_t(y) * width_ + size_t(x)] = brush_;
      }
    }
  }
  for (size_t i = 0; i < points.size(); ++i) {
    const TScreenPoint& a = points[i];
    const TScreenPoint& b = points[(i + 1) % points.size()];
    Line(a.x, a.y, b.x, b.y, pen_);
  }
}

void TSoftwareBitmap::Rectangle(int left, int top, int right, int bottom) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  if (right - left < 1 || bottom - top < 1) return;
  const int x0 = std::max(left, 0), x1 = std::min(right, width_);
  const int y0 = std::max(top, 0), y1 = std::min(bottom, height_);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const bool edge = x == left || x == right - 1 || y == top || y == bottom - 1;
      pixels_[size_t(y) * width_ + x] = edge ? pen_ : brush_;
    }
  }
}

void TSoftwareBitmap::CopyRect(int x, int y, int width, int height, const TCanvas& source,
                               int sourceX, int sourceY) {
  const auto* from = dynamic_cast<const TSoftwareBitmap*>(&source);
  if (!from) throw std::logic_error("CopyRect between surfaces of different kinds");
  // Clip against both surfaces; the rectangles may overlap only when source is this bitmap,
  // which the view never asks for.  The columns that fit both are the same in every row.
  const int firstCol = std::max({0, -x, -sourceX});
  const int endCol = std::min({width, width_ - x, from->width_ - sourceX});
  if (firstCol >= endCol) return;
  for (int row = 0; row < height; ++row) {
    const int ty = y + row, sy = sourceY + row;
    if (ty < 0 || ty >= height_ || sy < 0 || sy >= from->height_) continue;
    const auto start = from->pixels_.begin() + (ptrdiff_t(sy) * from->width_ + sourceX + firstCol);
    std::copy(start, start + (endCol - firstCol),
              pixels_.begin() + (ptrdiff_t(ty) * width_ + x + firstCol));
  }
}
