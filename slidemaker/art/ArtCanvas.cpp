#include "ArtCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <numbers>
#include <stdexcept>

namespace {

bool Inside(const std::vector<TArtPoint>& points, double x, double y) {
  bool inside = false;
  for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
    const TArtPoint& a = points[i];
    const TArtPoint& b = points[j];
    if ((a.Y > y) != (b.Y > y) && x < (b.X - a.X) * (y - a.Y) / (b.Y - a.Y) + a.X) inside = !inside;
  }
  return inside;
}

void Put16(std::FILE* file, unsigned value) {
  const unsigned char bytes[2] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8)};
  std::fwrite(bytes, 1, 2, file);
}

void Put32(std::FILE* file, std::uint32_t value) {
  Put16(file, value & 0xFFFF);
  Put16(file, value >> 16);
}

}  // namespace

TArtColor ArtMix(TArtColor a, TArtColor b, double t) {
  TArtColor mixed = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    mixed |= static_cast<TArtColor>(std::lround(ca + (cb - ca) * t)) << shift;
  }
  return mixed;
}

void TArtMask::AddPolygon(const std::vector<TArtPoint>& points) {
  for (int y = 0; y < Height; ++y)
    for (int x = 0; x < Width; ++x)
      if (Inside(points, x + 0.5, y + 0.5)) Covered[std::size_t(y) * Width + x] = true;
}

void TArtMask::AddRect(int left, int top, int right, int bottom) {
  for (int y = std::max(top, 0); y < std::min(bottom, Height); ++y)
    for (int x = std::max(left, 0); x < std::min(right, Width); ++x) Covered[std::size_t(y) * Width + x] = true;
}

TArtCanvas::TArtCanvas(int width, int height, TArtColor background)
    : width_(width), height_(height), pixels_(std::size_t(width) * height, background) {}

void TArtCanvas::Set(int x, int y, TArtColor color) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[std::size_t(y) * width_ + x] = color;
}

void TArtCanvas::FillRect(int left, int top, int right, int bottom, TArtColor color) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) Set(x, y, color);
}

void TArtCanvas::FillPolygon(const std::vector<TArtPoint>& points, TArtColor color) {
  double minX = width_, minY = height_, maxX = 0, maxY = 0;
  for (const TArtPoint& p : points) {
    minX = std::min(minX, p.X);
    minY = std::min(minY, p.Y);
    maxX = std::max(maxX, p.X);
    maxY = std::max(maxY, p.Y);
  }
  for (int y = std::max(0, int(minY)); y <= std::min(height_ - 1, int(maxY)); ++y)
    for (int x = std::max(0, int(minX)); x <= std::min(width_ - 1, int(maxX)); ++x) {
      int hits = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) hits += Inside(points, x + (sx + 0.5) / 4, y + (sy + 0.5) / 4);
      if (hits) Set(x, y, ArtMix(At(x, y), color, hits / 16.0));
    }
}

void TArtCanvas::FillCircle(double cx, double cy, double radius, TArtColor color) {
  std::vector<TArtPoint> points;
  for (int i = 0; i < 64; ++i) {
    const double angle = i * 2 * std::numbers::pi / 64;
    points.push_back({cx + radius * std::cos(angle), cy + radius * std::sin(angle)});
  }
  FillPolygon(points, color);
}

void TArtCanvas::DrawShape(const TArtMask& mask, TArtColor fill, TArtColor outline) {
  for (int y = 0; y < mask.Height; ++y)
    for (int x = 0; x < mask.Width; ++x) {
      if (!mask.At(x, y)) continue;
      const bool edge = !mask.At(x - 1, y) || !mask.At(x + 1, y) || !mask.At(x, y - 1) || !mask.At(x, y + 1);
      Set(x, y, edge ? outline : fill);
    }
}

void TArtCanvas::WriteBmp(const std::string& fileName) const {
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.c_str(), "wb"));
  if (!file) throw std::runtime_error("Cannot create file " + fileName);
  const std::uint32_t stride = (width_ * 3 + 3) / 4 * 4;
  const std::uint32_t header = 14 + 40;
  std::FILE* f = file.get();
  std::fwrite("BM", 1, 2, f);
  Put32(f, header + stride * height_);
  Put32(f, 0);
  Put32(f, header);
  Put32(f, 40);  // BITMAPINFOHEADER
  Put32(f, width_);
  Put32(f, height_);  // positive: rows bottom-up
  Put16(f, 1);
  Put16(f, 24);
  for (int i = 0; i < 6; ++i) Put32(f, 0);  // no compression, default resolution and palette
  std::vector<unsigned char> row(stride);
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      const TArtColor c = At(x, y);
      row[x * 3] = c & 0xFF;
      row[x * 3 + 1] = (c >> 8) & 0xFF;
      row[x * 3 + 2] = (c >> 16) & 0xFF;
    }
    std::fwrite(row.data(), 1, row.size(), f);
  }
  if (std::ferror(f)) throw std::runtime_error("Cannot write file " + fileName);
}

std::vector<TArtPoint> ArtRotate(std::vector<TArtPoint> points, double cx, double cy, double degrees) {
  const double angle = degrees * std::numbers::pi / 180, c = std::cos(angle), s = std::sin(angle);
  for (TArtPoint& p : points) {
    const double dx = p.X - cx, dy = p.Y - cy;
    p = {cx + dx * c - dy * s, cy + dx * s + dy * c};
  }
  return points;
}
