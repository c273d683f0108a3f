#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "WinControl.h"

class TButton;
class TMainMenu;

// The frame of a form: none (a popup), a fixed single frame, a sizeable frame, a fixed dialog
// frame, or the small caption of a tool window.
enum TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow };

// The caption buttons of a form with a frame, as bits; a form without the system menu has
// none of them.
using TBorderIcons = unsigned;
inline constexpr TBorderIcons biSystemMenu = 1, biMinimize = 2, biMaximize = 4;

// Where a form's window first appears: at Left/Top (poDesigned), at a place the system
// chooses (poDefaultPosOnly, the size is kept), or centred on the screen (poScreenCenter).
enum TPosition { poDesigned, poDefaultPosOnly, poScreenCenter };

enum TFormStyle { fsNormal, fsStayOnTop };
enum TWindowState { wsNormal, wsMaximized };

// What closing a form does: nothing (caNone) or hide it (caHide, the default).  Closing the
// main form terminates the application instead.
enum TCloseAction { caNone, caHide };

// Modal results: 0 while a modal form runs; the values match IDOK and IDCANCEL.
inline constexpr int mrNone = 0;
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

// A top-level or embedded window backed by a C++ object, and the parent of the controls that
// make up a window.
//
// A top-level form other than the application's main form is owned by the main form's
// window, so that modeless forms stay above it and go with it.  Tab and Shift+Tab move the
// focus through the controls in their tab order, Enter clicks the focused button or else the
// default button, Escape clicks the cancel button; this holds in modal and modeless forms.
//
// Destroying the object fires OnDestroy first, then destroys the window.  OnDestroy runs
// from this base's destructor: a handler may compare the sender but not use its derived parts.
class TForm : public TWinControl {
public:
  explicit TForm(TComponent* owner);
  ~TForm() override;

  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TWindowState WindowState() const { return windowState_; }
  void SetWindowState(TWindowState state);

  // Whether the form scales itself (true, the default): its layout, written in 96-DPI
  // pixels, is scaled once to the DPI of the monitor it opens on when its window is created
  // (ToolkitScale: bounds of the controls, the client size, fonts and control metrics), and
  // again when the system moves it to a monitor of another DPI (WM_DPICHANGED).  A form
  // that sizes itself in physical pixels (a full-screen saver, a preview filling its host)
  // turns it off before its window is created.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool value) { scaled_ = value; }

  // Sets the outer size so that the client area gets this size, with the frame, caption and
  // menu bar the form has.
  void SetClientWidth(int width);
  void SetClientHeight(int height);
  using TWinControl::ClientHeight;
  using TWinControl::ClientWidth;

  // The menu bar (owned by whoever created it, usually the form); null for none.
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // Rebuilds the menu bar after its items changed.
  void MenuChanged();

  // A window of another kind (or another program) that hosts this form as a child window.
  // Changing it while the form has a window destroys that window; the next Show creates
  // it inside the new parent.  Null makes the form top-level again.
  HWND ParentWindow() const { return parentWindow_; }
  void SetParentWindow(HWND parent);

  void Show();
  void Hide();
  void SetVisible(bool value) override;

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

  // The control that has (or, while the form is inactive, will get back) the focus.
  TWinControl* ActiveControl() const;

  // The window's system menu and its items.  Appending gives the item `id` (below 0xF000)
  // after the present ones; removing a missing id does nothing.  A chosen item arrives as
  // WM_SYSCOMMAND with the id in wParam.
  HMENU SystemMenu();
  void AppendSystemMenuItem(UINT id, const char* text);
  void AppendSystemMenuSeparator(UINT id);
  void RemoveSystemMenuItem(UINT id);

  // The keyboard rules of forms for one message of the loop: Enter, Escape and dialog
  // navigation.  True when the message was used up.  Called by the application's loop.
  static bool PreTranslateMessage(MSG& message);

  // Fired once, when the form's window is first created.
  TNotifyEvent OnCreate;
  // Fired each time the form is about to become visible.
  TNotifyEvent OnShow;
  TNotifyEvent OnDestroy;
  std::function<void(TComponent* sender, TCloseAction& action)> OnClose;
  std::function<void(TComponent* sender, bool& canClose)> OnCloseQuery;

protected:
  void BeforeCreateHandle() override;
  void ChangeScale(int fromDpi, int toDpi) override;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void UpdateWindowStyle();
  DWORD StyleBits() const;
  DWORD ExStyleBits() const;
  // The default (Enter) or cancel (Escape) button among the form's controls, when it is
  // visible and enabled.
  TButton* FindButton(bool cancel) const;

  TBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TWindowState windowState_ = wsNormal;
  TMainMenu* menu_ = nullptr;
  HWND parentWindow_ = nullptr;
  HWND savedFocus_ = nullptr;
  // The client size asked for, applied again once the window (and its menu bar) exists.
  int clientWidth_ = -1, clientHeight_ = -1;
  TScaledLength scaledClientWidth_, scaledClientHeight_;
  bool created_ = false;
  bool scaled_ = true;
  bool modal_ = false;
  int modalResult_ = mrNone;
};
