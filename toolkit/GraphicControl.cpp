#include "GraphicControl.h"

#include "WinControl.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}

TGraphicControl::~TGraphicControl() { SetParent(nullptr); }

void TGraphicControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  Invalidate();
  TControl::SetParent(parent);
  Invalidate();
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  TControl::SetBounds(left, top, width, height);
  Invalidate();
}

void TGraphicControl::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

void TGraphicControl::SetVisible(bool value) {
  if (value == Visible()) return;
  TControl::SetVisible(value);
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (!Parent() || !Parent()->HandleAllocated()) return;
  const RECT bounds = BoundsRect();
  InvalidateRect(Parent()->Handle(), &bounds, TRUE);
}
