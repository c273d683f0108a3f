#pragma once

#include "GraphicControl.h"
#include "Picture.h"

// A windowless picture.  The picture is drawn at its own size from the top-left corner,
// centred with Center, or stretched to the whole control (without keeping its proportions)
// with Stretch; with AutoSize the control takes the picture's size whenever it changes.
class TImage : public TGraphicControl {
public:
  explicit TImage(TComponent* owner);

  TPicture& Picture() { return picture_; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

  // Where the picture goes in the control's coordinates.
  RECT PictureRect() const;

  void Paint(HDC dc) override;
  void SetBounds(int left, int top, int width, int height) override;

private:
  void PictureChanged();

  TPicture picture_;
  bool autoSize_ = false;
  bool center_ = false;
  bool stretch_ = false;
};
