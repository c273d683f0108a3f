#include "Bevel.h"

#include "GdiObject.h"

namespace {

// One-pixel lines: top and left in `topLeft`, bottom and right in `bottomRight`.
void Frame(HDC dc, RECT rect, COLORREF topLeft, COLORREF bottomRight) {
  TGdiObject<HBRUSH> first(CreateSolidBrush(topLeft));
  TGdiObject<HBRUSH> second(CreateSolidBrush(bottomRight));
  const RECT top = {rect.left, rect.top, rect.right - 1, rect.top + 1};
  const RECT left = {rect.left, rect.top, rect.left + 1, rect.bottom - 1};
  const RECT bottom = {rect.left, rect.bottom - 1, rect.right, rect.bottom};
  const RECT right = {rect.right - 1, rect.top, rect.right, rect.bottom};
  FillRect(dc, &top, first.Get());
  FillRect(dc, &left, first.Get());
  FillRect(dc, &bottom, second.Get());
  FillRect(dc, &right, second.Get());
}

}  // namespace

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) { TControl::SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape shape) {
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle style) {
  style_ = style;
  Invalidate();
}

void TBevel::Paint(HDC dc) {
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  const COLORREF first = style_ == bsLowered ? dark : light;
  const COLORREF second = style_ == bsLowered ? light : dark;
  const RECT whole = {0, 0, Width(), Height()};
  if (shape_ == bsBox) {
    Frame(dc, whole, first, second);
    return;
  }
  // The etched frame: a line of the first colour and, one pixel in and down, the second.
  Frame(dc, {0, 0, Width() - 1, Height() - 1}, first, first);
  Frame(dc, {1, 1, Width(), Height()}, second, second);
}
