#pragma once

#include <windows.h>


#include "Canvas.h"
#include "DeviceContext.h"
#include "GdiObject.h"

// Drawing through a device context with GDI itself: a one-pixel solid pen, a solid brush,
// alternate polygon filling, copies with BitBlt.  The device context is not owned.
class TGdiSurface {
public:
  explicit TGdiSurface(HDC dc = nullptr) : dc_(dc) {}
  TGdiSurface(const TGdiSurface&) = delete;
  TGdiSurface& operator=(const TGdiSurface&) = delete;
  ~TGdiSurface();

  HDC Dc() const { return dc_; }

  void SetPenColor(TColor color);
  void SetBrushColor(TColor color);
  void MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }
  void LineTo(int x, int y) { ::LineTo(dc_, x, y); }
  void Polygon(std::span<const TScreenPoint> points);
  void Rectangle(int left, int top, int right, int bottom) {
    ::Rectangle(dc_, left, top, right, bottom);
  }
  void CopyRect(int x, int y, int width, int height, const TCanvas& source, int sourceX,
                int sourceY);

protected:
  void Attach(HDC dc) { dc_ = dc; }
  // Selects the device context's own pen and brush back in and forgets the context; a
  // surface that owns its context does this before deleting it.
  void Detach();

private:
  HDC dc_;
  TGdiObject<HPEN> pen_;
  TGdiObject<HBRUSH> brush_;
  HGDIOBJ originalPen_ = nullptr, originalBrush_ = nullptr;
};

// The drawing calls of a canvas kind (TCanvas or TBitmap) carried out by GDI.
template <typename Canvas>
class TGdiDrawing : public Canvas, public TGdiSurface {
public:
  using TGdiSurface::TGdiSurface;

  void SetPenColor(TColor color) override { TGdiSurface::SetPenColor(color); }
  void SetBrushColor(TColor color) override { TGdiSurface::SetBrushColor(color); }
  void MoveTo(int x, int y) override { TGdiSurface::MoveTo(x, y); }
  void LineTo(int x, int y) override { TGdiSurface::LineTo(x, y); }
  void Polygon(std::span<const TScreenPoint> points) override { TGdiSurface::Polygon(points); }
  void Rectangle(int l, int t, int r, int b) override { TGdiSurface::Rectangle(l, t, r, b); }
  void CopyRect(int x, int y, int w, int h, const TCanvas& s, int sx, int sy) override {
    TGdiSurface::CopyRect(x, y, w, h, s, sx, sy);
  }
};

// A window's client area (or any device context of a known size), drawn with GDI.
class TGdiCanvas : public TGdiDrawing<TCanvas> {
public:
  TGdiCanvas(HDC dc, int width, int height) : TGdiDrawing(dc), width_(width), height_(height) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

private:
  int width_, height_;
};

// An off-screen 32-bit bitmap (a DIB section in its own memory device context).
class TGdiBitmap : public TGdiDrawing<TBitmap> {
public:
  TGdiBitmap();
  ~TGdiBitmap() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void SetSize(int width, int height) override;

  // The pixel at (x, y) as a colour value 0x00BBGGRR, read from the bitmap's memory.
  TColor Pixel(int x, int y) const;

private:
  TMemoryDC memoryDc_{nullptr};
  TGdiObject<HBITMAP> bitmap_;
  HGDIOBJ originalBitmap_ = nullptr;
  const uint32_t* bits_ = nullptr;  // top-down rows of 0x00RRGGBB
  int width_ = 0, height_ = 0;
};
