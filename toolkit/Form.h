#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "Component.h"

class TGraphicControl;

enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };

// Where a form's window first appears: at Left/Top (poDesigned), or at a place the system
// chooses (poDefaultPosOnly, the size is kept).
enum TPosition { poDesigned, poDefaultPosOnly };

// What closing a form does: nothing (caNone) or hide it (caHide, the default).  Closing the
// main form terminates the application instead.
enum TCloseAction { caNone, caHide };

// The mouse cursor over a form: the class arrow (crDefault), none at all, or the arrow.
enum TCursor { crDefault, crNone, crArrow };

// Modal results: 0 while a modal form runs; the values match IDOK and IDCANCEL.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A top-level or embedded window backed by a C++ object.  The window is created on first
// need (Handle, Show) from CreateParams and may be destroyed and created again while the
// object lives (a change of ParentWindow does that); the object outlives its window.
//
// Every message of the window goes to WndProc.  An exception thrown there never leaves the
// window procedure: it goes to Application().HandleException() and the message returns 0.
// Destroying the object fires OnDestroy first, then destroys the window.  OnDestroy runs
// from this base's destructor: a handler may compare the sender but not use its derived parts.
class TForm : public TComponent {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  // The window, created when there is none.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // Destroys the window (not the object).
  void DestroyHandle();

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }

  // Bounds in pixels: screen coordinates for a top-level form, client coordinates of the
  // parent window for an embedded one.
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }

  // Background colour, 0x00BBGGRR.
  COLORREF Color() const { return color_; }
  void SetColor(COLORREF color);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }

  // A window of another kind (or another program) that hosts this form as a child window.
  // Changing it while the form has a window destroys that window; the next Show creates
  // it inside the new parent.  Null makes the form top-level again.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND parent);

  bool Visible() const { return visible_; }
  void Show();
  void Hide();

  // Shows the form modally: the other windows of the thread are disabled and a message loop
  // runs until ModalResult becomes non-zero (Close sets mrCancel) and CloseQuery agrees, or
  // the application terminates (mrCancel).  Hides the form and returns the result.
  int ShowModal();
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  // Closes the form: asks CloseQuery, then OnClose with the action caHide; a modal form
  // only gets mrCancel as modal result.
  virtual void Close();
  // Whether the form may close: OnCloseQuery's answer (true when unassigned).
  virtual bool CloseQuery();

  // Paints the windowless controls placed on this form into `dc` (a device context of the
  // client area or a bitmap of its size), in the order they were placed, each clipped to its
  // rectangle.  The form's WM_PAINT does this; a control repainting itself calls it directly.
  void PaintControls(HDC dc);

  std::function<void(TComponent* sender)> OnDestroy;
  std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
  std::function<void(TComponent* sender, bool& canClose)> OnCloseQuery;

protected:
  struct TCreateParams {
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    HWND parent;
  };
  // The window's styles, bounds and parent; descendants add to them.
  virtual void CreateParams(TCreateParams& params);

  // Handles one message; the base gives the form's own behaviour (close, background,
  // cursor) and passes the rest to DefWindowProc.  Descendants call it for what they do
  // not handle themselves.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  void CreateHandle();
  void UpdateWindowStyle();
  // TGraphicControl::SetParent keeps the list of windowless controls.
  friend class TGraphicControl;
  void InsertControl(TGraphicControl* control) { controls_.push_back(control); }
  void RemoveControl(TGraphicControl* control);

  HWND handle_ = nullptr;
  std::string caption_;
  TBorderStyle borderStyle_ = bsSizeable;
  TPosition position_ = poDesigned;
  int left_ = 100, top_ = 100, width_ = 320, height_ = 240;
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
  TCursor cursor_ = crDefault;
  HWND parentWindow_ = nullptr;
  bool visible_ = false;
  bool modal_ = false;
  int modalResult_ = mrNone;
  std::vector<TGraphicControl*> controls_;
};
