#include "Control.h"

#include "Form.h"
#include "Scale.h"
#include "WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  parent_ = parent;
  if (parent_) parent_->InsertControl(this);
  if (parent_ && parent_->Dpi() != dpi_) ScaleTo(parent_->Dpi());
}

void TControl::ScaleTo(int dpi) {
  if (dpi == dpi_ || dpi <= 0) return;
  const int from = dpi_;
  dpi_ = dpi;
  ChangeScale(from, dpi);
}

void TControl::ChangeScale(int fromDpi, int toDpi) {
  // Edges are scaled, not sizes, so that controls that touch at one scale touch at all.
  const int left = scaledLeft_.Scale(left_, fromDpi, toDpi);
  const int top = scaledTop_.Scale(top_, fromDpi, toDpi);
  const int right = scaledRight_.Scale(left_ + width_, fromDpi, toDpi);
  const int bottom = scaledBottom_.Scale(top_ + height_, fromDpi, toDpi);
  SetBounds(left, top, right - left, bottom - top);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  StoreBounds(left, top, width, height);
}

void TControl::SetVisible(bool value) { visible_ = value; }

void TControl::SetEnabled(bool value) { enabled_ = value; }

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_ && parent_->HandleAllocated()) parent_->AlignControls();
}

TForm* TControl::ParentForm() const {
  for (TWinControl* parent = parent_; parent; parent = parent->Parent())
    if (auto* form = dynamic_cast<TForm*>(parent)) return form;
  return nullptr;
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

HCURSOR ToolkitCursorHandle(TCursor cursor) {
  switch (cursor) {
    case crDefault:
    case crNone: return nullptr;
    case crArrow: return LoadCursorA(nullptr, IDC_ARROW);
    case crHandPoint: return LoadCursorA(nullptr, IDC_HAND);
    case crHourGlass: return LoadCursorA(nullptr, IDC_WAIT);
  }
  return nullptr;
}
