#pragma once

#include <windows.h>

#include <functional>

#include "Align.h"
#include "Component.h"
#include "Scale.h"

class TWinControl;


// The mouse cursor over a control: the class's own (crDefault), none at all, the arrow, the
// pointing hand of a link, or the hourglass.
enum TCursor { crDefault, crNone, crArrow, crHandPoint, crHourGlass };

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse or key event, as bits.
using TShiftState = unsigned;
inline constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16,
                             ssMiddle = 32, ssDouble = 64;

using TMouseEvent = std::function<void(TComponent* sender, TMouseButton button, TShiftState shift,
                                       int x, int y)>;
using TMouseMoveEvent = std::function<void(TComponent* sender, TShiftState shift, int x, int y)>;
// The handler may change the key; 0 swallows it.
using TKeyEvent = std::function<void(TComponent* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TComponent* sender, char& key)>;

// What every control has, windowed or not: a parent, a rectangle in the parent's client area,
// visibility, enabling, alignment, a cursor and the mouse events.
//
// A control placed on a parent keeps a plain pointer to it, and the parent one to the control;
// a control leaves its parent when it is destroyed and must not outlive it (create it owned by
// the parent's form, or destroy it first).
class TControl : public TComponent {
public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  TWinControl* Parent() const { return parent_; }
  // Moves the control onto another parent (null: none).
  virtual void SetParent(TWinControl* parent);

  // Bounds in pixels, in the parent's client coordinates (screen coordinates for a top-level
  // form).
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  // The DPI the control's bounds, font and pixel sizes are in: 96, the pixels of the layout
  // tables, until its form scales it for the monitor it shows on (Scale.h holds the rule).
  // A control placed on a parent of another DPI is scaled to the parent's, so that rows of a
  // table built onto a window already on screen are scaled like the rest.
  int Dpi() const { return dpi_; }
  // Re-expresses the control's bounds and pixel sizes, and those of the controls it holds,
  // in pixels of `dpi`.
  void ScaleTo(int dpi);

  // The form this control lies on, through its parents; null when it lies on none.
  class TForm* ParentForm() const;

  // Raises OnClick as a click of the user would.
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

protected:
  friend class TWinControl;  // stores the bounds a window reports and aligns its children
  void StoreBounds(int left, int top, int width, int height) {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }
  // The mouse events of the control, fired by whoever receives the mouse message.
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void DblClick();
  // Scales what the control keeps in pixels from `fromDpi` to `toDpi` (Dpi() is already
  // `toDpi`): the base scales the bounds, position included; descendants scale their own
  // sizes and fonts and call it.
  virtual void ChangeScale(int fromDpi, int toDpi);

private:
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TScaledLength scaledLeft_, scaledTop_, scaledRight_, scaledBottom_;
  bool visible_ = true;
  bool enabled_ = true;
  TAlign align_ = alNone;
  TCursor cursor_ = crDefault;
  int dpi_ = 96;
};

// The system cursor of a TCursor value (null for crNone, and for crDefault).
HCURSOR ToolkitCursorHandle(TCursor cursor);
