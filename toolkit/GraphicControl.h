#pragma once

#include <windows.h>

#include "Control.h"

class TWinControl;

// A windowless control: a rectangle of its parent's client area that the parent paints by
// calling Paint while it paints itself.  It has no window, so it costs no handle and shows
// the parent's background through wherever it does not paint.  The parent also gives it the
// mouse messages that fall into its rectangle.
class TGraphicControl : public TControl {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  // Moves the control onto another parent (null: none), invalidating both places.
  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool value) override;

  // Colour 0x00BBGGRR, for descendants that fill their area.
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  // The control covers its whole rectangle, so its parent need not erase the background
  // beneath it.  Descendants set it while they paint.
  bool ControlOpaque() const { return controlOpaque_; }

  // Asks the parent to repaint the control's rectangle, background included, later.
  void Invalidate();

  // Paints the control into `dc`, whose origin is the control's top-left corner and whose
  // clipping region lies inside the control.  Called by the parent.
  virtual void Paint(HDC dc) = 0;

protected:
  void SetControlOpaque(bool value) { controlOpaque_ = value; }

private:
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
  bool controlOpaque_ = false;
};
