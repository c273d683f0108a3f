#pragma once

#include <memory>
#include <span>

#include "Geometry.h"
#include "GraphDoc.h"

// What the graph view and its renderer draw with, and nothing more: a pen and a brush of one
// colour each, lines, filled polygons and rectangles, and copies of rectangles between
// surfaces.  The rules are those of GDI with a one-pixel solid pen: a line leaves out its last
// pixel, a polygon is filled in alternate (even-odd) mode and outlined with the pen, and a
// rectangle covers its left and top edges but not its right and bottom ones.  Coordinates
// outside the surface are clipped.
class TCanvas {
public:
  virtual ~TCanvas() = default;

  virtual int Width() const = 0;
  virtual int Height() const = 0;

  virtual void SetPenColor(TColor color) = 0;
  virtual void SetBrushColor(TColor color) = 0;

  // The current position for LineTo.
  virtual void MoveTo(int x, int y) = 0;
  // A line in the pen colour from the current position up to, not including, (x, y), which
  // becomes the current position.
  virtual void LineTo(int x, int y) = 0;
  // The interior of the polygon through the points (closed) in the brush colour, then its
  // outline in the pen colour.  The current position is left alone.
  virtual void Polygon(std::span<const TScreenPoint> points) = 0;
  // The rectangle from (left, top) to (right, bottom), exclusive, filled with the brush and
  // outlined with the pen.
  virtual void Rectangle(int left, int top, int right, int bottom) = 0;

  // Copies the width × height rectangle of source at (sourceX, sourceY) to (x, y) on this
  // surface.  Both surfaces must be of the same implementation.
  virtual void CopyRect(int x, int y, int width, int height, const TCanvas& source,
                        int sourceX, int sourceY) = 0;
};

// An off-screen surface whose size can change.  A new bitmap is 0 × 0; resizing keeps the
// pixels that still fit and makes the new ones black.
class TBitmap : public TCanvas {
public:
  virtual void SetSize(int width, int height) = 0;
};
