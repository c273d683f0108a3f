#include "GraphicControl.h"

#include "Form.h"

TGraphicControl::TGraphicControl(TComponent* owner) : TComponent(owner) {}

TGraphicControl::~TGraphicControl() { SetParent(nullptr); }

void TGraphicControl::SetParent(TForm* parent) {
  if (parent == parent_) return;
  if (parent_) {
    Invalidate();
    parent_->RemoveControl(this);
  }
  parent_ = parent;
  if (parent_) {
    parent_->InsertControl(this);
    Invalidate();
  }
}

void TGraphicControl::SetBounds(int left, int top, int width, int height) {
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
}

void TGraphicControl::SetColor(COLORREF color) {
  color_ = color;
  Invalidate();
}

void TGraphicControl::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  Invalidate();
}

void TGraphicControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  const RECT bounds = BoundsRect();
  InvalidateRect(parent_->Handle(), &bounds, TRUE);
}
