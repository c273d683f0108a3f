#pragma once

#include <windows.h>

#include "Component.h"

class TForm;

// A windowless control: a rectangle of its parent form's client area that the form paints by
// calling Paint while it paints itself.  It has no window, so it costs no handle and shows
// the form's background through wherever it does not paint.
//
// The parent keeps a plain pointer to the control; a control leaves its parent when it is
// destroyed, and must not outlive it (create it owned by the form, or destroy it first).
class TGraphicControl : public TComponent {
public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;

  TForm* Parent() const { return parent_; }
  // Moves the control onto another form (null: none), invalidating both places.
  void SetParent(TForm* parent);

  // Bounds in pixels, in the parent's client coordinates.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  void SetBounds(int left, int top, int width, int height);

  // Colour 0x00BBGGRR, for descendants that fill their area.
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);

  // Off: the control keeps its place but paints nothing.
  bool Visible() const { return visible_; }
  void SetVisible(bool value);

  // The control covers its whole rectangle, so its parent need not erase the background
  // beneath it.  Descendants set it while they paint.
  bool ControlOpaque() const { return controlOpaque_; }

  // Asks the parent to repaint the control's rectangle, background included, later.
  void Invalidate();

  // Paints the control into `dc`, whose origin is the control's top-left corner and whose
  // clipping region lies inside the control.  Called by the parent form.
  virtual void Paint(HDC dc) = 0;

protected:
  void SetControlOpaque(bool value) { controlOpaque_ = value; }

private:
  friend class TForm;  // detaches its controls when it is destroyed before them
  TForm* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
  bool visible_ = true;
  bool controlOpaque_ = false;
};
