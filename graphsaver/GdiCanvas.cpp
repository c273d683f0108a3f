#include "GdiCanvas.h"

#include <stdexcept>
#include <vector>

#include "DibInfo.h"

// Our pen and brush must not stay selected into a device context that outlives them.
TGdiSurface::~TGdiSurface() { Detach(); }

void TGdiSurface::Detach() {
  if (dc_ && originalPen_) SelectObject(dc_, originalPen_);
  if (dc_ && originalBrush_) SelectObject(dc_, originalBrush_);
  dc_ = nullptr;
}

// The new object is selected before the old one is deleted: GDI must not be left holding a
// deleted object.
void TGdiSurface::SetPenColor(TColor color) {
  HPEN pen = CreatePen(PS_SOLID, 1, color);
  HGDIOBJ previous = SelectObject(dc_, pen);
  if (!originalPen_) originalPen_ = previous;
  pen_.Reset(pen);
}

void TGdiSurface::SetBrushColor(TColor color) {
  HBRUSH brush = CreateSolidBrush(color);
  HGDIOBJ previous = SelectObject(dc_, brush);
  if (!originalBrush_) originalBrush_ = previous;
  brush_.Reset(brush);
}

void TGdiSurface::Polygon(std::span<const TScreenPoint> points) {
  std::vector<POINT> gdiPoints;
  gdiPoints.reserve(points.size());
  for (const TScreenPoint& p : points) gdiPoints.push_back({p.x, p.y});
  SetPolyFillMode(dc_, ALTERNATE);
  ::Polygon(dc_, gdiPoints.data(), static_cast<int>(gdiPoints.size()));
}

void TGdiSurface::CopyRect(int x, int y, int width, int height, const TCanvas& source,
                           int sourceX, int sourceY) {
  const auto* from = dynamic_cast<const TGdiSurface*>(&source);
  if (!from) throw std::logic_error("CopyRect between surfaces of different kinds");
  BitBlt(dc_, x, y, width, height, from->Dc(), sourceX, sourceY, SRCCOPY);
}

TGdiBitmap::TGdiBitmap() {
  if (!memoryDc_.Get()) throw std::runtime_error("CreateCompatibleDC failed");
  Attach(memoryDc_.Get());
}

TGdiBitmap::~TGdiBitmap() {
  if (originalBitmap_) SelectObject(memoryDc_.Get(), originalBitmap_);
  Detach();
}

void TGdiBitmap::SetSize(int width, int height) {
  width = width > 0 ? width : 0;
  height = height > 0 ? height : 0;
  if (width == width_ && height == height_) return;
  // Top-down rows.
  const BITMAPINFO info = ToolkitDibInfo(width > 0 ? width : 1, -(height > 0 ? height : 1));
  void* bits = nullptr;
  // Nothing below can throw once the bitmap exists, so bitmap_ takes it over at the end.
  HBITMAP fresh = CreateDIBSection(memoryDc_.Get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!fresh) throw std::runtime_error("CreateDIBSection failed");
  // Keep what still fits, as a resized bitmap does; the new pixels are black (zeroed).
  {
    const TMemoryDC copyDc(nullptr);
    const TSelection selected(copyDc.Get(), fresh);
    if (bitmap_) BitBlt(copyDc.Get(), 0, 0, width, height, memoryDc_.Get(), 0, 0, SRCCOPY);
  }
  HGDIOBJ previous = SelectObject(memoryDc_.Get(), fresh);
  if (!originalBitmap_) originalBitmap_ = previous;
  bitmap_.Reset(fresh);  // the old bitmap is no longer selected: it goes
  bits_ = static_cast<const uint32_t*>(bits);
  width_ = width;
  height_ = height;
}

TColor TGdiBitmap::Pixel(int x, int y) const {
  GdiFlush();
  const uint32_t rgb = bits_[size_t(y) * width_ + x];
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}
