#pragma once

#include <cstdint>
#include <vector>

#include "Canvas.h"

// A 32-bit memory bitmap that draws by the rules of TCanvas without any window system: the
// graph view's surfaces in tests and tools.  Pixels are Windows colour values 0x00BBGGRR.
class TSoftwareBitmap : public TBitmap {
public:
  TSoftwareBitmap() = default;
  TSoftwareBitmap(int width, int height) { SetSize(width, height); }

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetSize(int width, int height) override;

  void SetPenColor(TColor color) override { pen_ = color; }
  void SetBrushColor(TColor color) override { brush_ = color; }
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Polygon(std::span<const TScreenPoint> points) override;
  void Rectangle(int left, int top, int right, int bottom) override;
  void CopyRect(int x, int y, int width, int height, const TCanvas& source, int sourceX,
                int sourceY) override;

  // The pixel at (x, y), which must lie on the bitmap.
  TColor Pixel(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }
  void SetPixel(int x, int y, TColor color);

private:
  // Draws the line from (x0, y0) towards (x1, y1), last pixel left out.
  void Line(int64_t x0, int64_t y0, int64_t x1, int64_t y1, TColor color);

  int width_ = 0, height_ = 0;
  std::vector<TColor> pixels_;
  TColor pen_ = 0, brush_ = 0xFFFFFF;
  int penX_ = 0, penY_ = 0;
};
