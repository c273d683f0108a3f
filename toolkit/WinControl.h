#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Control.h"
#include "GdiObject.h"
#include "Layout.h"

class TGraphicControl;

// A control with a window of its own, and the one bridge from window procedures to objects.
//
// A TWinControl's window is created on first need (Handle), or when its parent's window is
// created, and may be destroyed and created again while the object lives; the object outlives
// its window.  Until the window exists the object holds the values set on it (caption,
// bounds, items) and hands them over at creation; afterwards the window holds them, and the
// object reads them back only when the window goes.
//
// Windows of the toolkit's own classes (forms, panels) are created with the bridge as their
// procedure; windows of the system's control classes (buttons, edits, lists) are subclassed
// right after creation.  Either way every message reaches WndProc, and an exception thrown
// there never leaves the window procedure: it goes to Application().HandleException() and the
// message returns 0.
//
// A control's notifications (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*) come back from
// its parent to the control's own object, which raises its events: no window needs a switch
// over control ids.
class TWinControl : public TControl {
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window, created (with the parents' windows) when there is none.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  // The window if it exists, else null; never creates it.
  HWND WindowHandle() const { return handle_; }
  // Destroys the window (not the object); its child windows go with it.
  void DestroyHandle();

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetVisible(bool value) override;
  void SetEnabled(bool value) override;

  // The caption of a button, label-like control or form; the text of an edit.
  std::string Caption() const;
  void SetCaption(std::string caption);

  // Background colour, 0x00BBGGRR.  Until set, a control on a parent takes the parent's
  // (so panels and group boxes on a silver form are silver), and one without a parent the
  // system's button face.
  COLORREF Color() const;
  void SetColor(COLORREF color);
  // The brush of Color, made when first asked for; owned by the control.
  HBRUSH ColorBrush();

  // Position in the tab order among the windowed children of the same parent (0 first).
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);

  // The size of the client area in pixels.
  int ClientWidth();
  int ClientHeight();

  bool Focused() const { return handle_ && GetFocus() == handle_; }
  void SetFocus();

  // Paints the windowless controls placed on this control into `dc` (a device context of the
  // client area or a bitmap of its size), in the order they were placed, each clipped to its
  // rectangle.  WM_PAINT does this; a control repainting itself calls it directly.
  void PaintControls(HDC dc);

  // The controls placed on this one, in the order they were placed.
  const std::vector<TControl*>& Controls() const { return controls_; }

  // The layout tables built onto this control (ToolkitBuildLayout), in the order built.
  const std::vector<TLayoutTable>& LayoutTables() const { return layoutTables_; }
  void AddLayoutTable(TLayoutTable table) { layoutTables_.push_back(std::move(table)); }

  // The object of a window of the toolkit, or null for any other window.
  static TWinControl* FromHandle(HWND window);

  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TNotifyEvent OnResize;
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

protected:
  struct TCreateParams {
    // The window class.  A toolkit class (subclass false) is registered on first use with
    // the bridge as its procedure and classStyle as its style; a system class (subclass
    // true) is subclassed once the window exists.
    const char* className;
    bool subclass;
    UINT classStyle;
    DWORD style;
    DWORD exStyle;
    int x, y, width, height;
    HWND parent;
  };
  // Called first when the window is to be created, before CreateParams: a form scales its
  // layout here for the monitor it opens on.
  virtual void BeforeCreateHandle() {}
  // The window's class, styles, bounds and parent; descendants add to them.
  virtual void CreateParams(TCreateParams& params);
  // Called right after the window exists: hand over the values held until now.
  virtual void CreateWnd() {}
  // Called while the window is being destroyed: take back what only the window held.
  virtual void DestroyWnd() {}

  // Handles one message; the base gives the behaviour common to windowed controls and
  // passes the rest to the class's own procedure.  Descendants call it for what they do not
  // handle themselves.
  virtual LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Calls the procedure of the window's class (DefWindowProc for the toolkit's own).
  LRESULT DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam);

  // A notification of this control, reflected from its parent.
  virtual void CommandNotify(WORD /*code*/) {}
  virtual LRESULT Notify(NMHDR* /*header*/) { return 0; }
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  // The brush for WM_CTLCOLOR* of this control, or null for the system's default.
  virtual HBRUSH ControlColor(HDC dc);
  // Whether the window of the toolkit's own class erases its background with Color.
  virtual bool ErasesBackground() const { return true; }

  // Lays out the children that follow the client area (Align).
  void AlignControls();

  // The bounds, the children and the font of the window at the new DPI.
  void ChangeScale(int fromDpi, int toDpi) override;
  // The children and the font only (a top-level form keeps its place and scales its client
  // area instead of its frame).
  void ScaleContents(int toDpi);

private:
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  void CreateHandle();
  void CreateChildHandles();
  void Attach(HWND window, bool subclass);
  void Detach();
  void UpdateTabOrder();
  LRESULT HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
  TGraphicControl* GraphicControlAt(int x, int y) const;

  friend class TControl;  // keeps the list of children
  friend class TGraphicControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  HWND handle_ = nullptr;
  WNDPROC classProcedure_ = nullptr;
  std::string caption_;
  COLORREF color_ = GetSysColor(COLOR_BTNFACE);
  bool parentColor_ = true;
  TGdiObject<HBRUSH> colorBrush_;
  COLORREF brushColor_ = CLR_INVALID;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  std::vector<TControl*> controls_;
  std::vector<TLayoutTable> layoutTables_;
  // The control under the mouse when a button went down, to give it the click on release.
  TControl* pressed_ = nullptr;
};
