#pragma once

// A small true-colour canvas for the editor's own artwork (button glyphs, the preview's logo,
// the about picture), drawn by code at build time so that every picture is our own.

#include <cstdint>
#include <string>
#include <vector>

// 0x00RRGGBB.
using TArtColor = std::uint32_t;

inline constexpr TArtColor ArtRgb(int r, int g, int b) {
  return static_cast<TArtColor>(r) << 16 | static_cast<TArtColor>(g) << 8 | static_cast<TArtColor>(b);
}
// a × (1 − t) + b × t per channel, t in 0..1.
TArtColor ArtMix(TArtColor a, TArtColor b, double t);

struct TArtPoint {
  double X, Y;
};

// Which pixels a shape covers, for shapes drawn with an outline.
struct TArtMask {
  int Width, Height;
  std::vector<bool> Covered;
  TArtMask(int width, int height) : Width(width), Height(height), Covered(std::size_t(width) * height) {}
  bool At(int x, int y) const { return x >= 0 && y >= 0 && x < Width && y < Height && Covered[std::size_t(y) * Width + x]; }
  // Adds the pixels whose centres lie inside the polygon (even-odd rule).
  void AddPolygon(const std::vector<TArtPoint>& points);
  void AddRect(int left, int top, int right, int bottom);  // right and bottom exclusive
};

class TArtCanvas {
public:
  TArtCanvas(int width, int height, TArtColor background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  TArtColor At(int x, int y) const { return pixels_[std::size_t(y) * width_ + x]; }
  void Set(int x, int y, TArtColor color);
  void FillRect(int left, int top, int right, int bottom, TArtColor color);
  // The polygon with its edges smoothed: each pixel blended by the share of 4 × 4 samples
  // inside it.
  void FillPolygon(const std::vector<TArtPoint>& points, TArtColor color);
  void FillCircle(double cx, double cy, double radius, TArtColor color);
  // The mask's pixels in `fill`, those next to an uncovered pixel in `outline`: crisp small
  // shapes for glyphs, which must not blend into their transparent background.
  void DrawShape(const TArtMask& mask, TArtColor fill, TArtColor outline);

  // A 24-bit uncompressed bitmap file.  Throws std::runtime_error when it cannot be written.
  void WriteBmp(const std::string& fileName) const;

private:
  int width_, height_;
  std::vector<TArtColor> pixels_;
};

// The polygon rotated by `degrees` around (cx, cy).
std::vector<TArtPoint> ArtRotate(std::vector<TArtPoint> points, double cx, double cy, double degrees);
