#pragma once

#include <windows.h>

#include "WinControl.h"

// A windowed control that paints itself: the base of panels, group boxes and of controls a
// program draws on its own.  Painting is double-buffered: Paint draws into a bitmap of the
// client area, already filled with Color, and the windowless children are painted over it
// before it reaches the screen in one copy, so nothing flickers.
class TCustomControl : public TWinControl {
public:
  explicit TCustomControl(TComponent* owner);

  // Repaints the whole control now.
  void Repaint();

protected:
  // Draws the control into `dc` (client coordinates).
  virtual void Paint(HDC /*dc*/) {}
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  bool ErasesBackground() const override { return false; }

private:
  void PaintBuffered(HDC target, const RECT& area);
};
