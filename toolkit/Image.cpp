#include "Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  TControl::SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
  if (autoSize_ && Align() == alNone && !picture_.Empty())
    SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  autoSize_ = value;
  PictureChanged();
}

void TImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  // A stretched picture is shown at the control's size, which a reader may decode it at.
  picture_.SetDisplaySize(value ? Width() : 0, value ? Height() : 0);
  Invalidate();
}

void TImage::SetBounds(int left, int top, int width, int height) {
  TGraphicControl::SetBounds(left, top, width, height);
  if (stretch_) picture_.SetDisplaySize(width, height);
}

RECT TImage::PictureRect() const {
  if (stretch_) return {0, 0, Width(), Height()};
  const int width = picture_.Width(), height = picture_.Height();
  if (center_) {
    const int left = (Width() - width) / 2, top = (Height() - height) / 2;
    return {left, top, left + width, top + height};
  }
  return {0, 0, width, height};
}

void TImage::Paint(HDC dc) {
  if (picture_.Empty()) return;
  picture_.Draw(dc, PictureRect());
}
