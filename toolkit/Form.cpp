#include "Form.h"

#include <stdexcept>
#include <vector>

#include "Application.h"
#include "Button.h"
#include "Dpi.h"
#include "Menu.h"

namespace {

// Disables the enabled, visible top-level windows of this thread while a modal form runs
// and enables them again afterwards.
class TTaskWindowsDisabler {
public:
  explicit TTaskWindowsDisabler(HWND modal) : modal_(modal) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
    for (HWND window : disabled_) EnableWindow(window, FALSE);
  }
  ~TTaskWindowsDisabler() {
    for (HWND window : disabled_)
      if (IsWindow(window)) EnableWindow(window, TRUE);
  }
  TTaskWindowsDisabler(const TTaskWindowsDisabler&) = delete;
  TTaskWindowsDisabler& operator=(const TTaskWindowsDisabler&) = delete;

private:
  static BOOL CALLBACK Collect(HWND window, LPARAM self) {
    auto* disabler = reinterpret_cast<TTaskWindowsDisabler*>(self);
    if (window != disabler->modal_ && IsWindowVisible(window) && IsWindowEnabled(window))
      disabler->disabled_.push_back(window);
    return TRUE;
  }
  HWND modal_;
  std::vector<HWND> disabled_;
};

// WM_DPICHANGED (winuser.h of Windows 8.1 and later): the window's monitor changed DPI or
// the window moved to a monitor of another DPI; HIWORD(wParam) is the new DPI, lParam the
// window rectangle the system suggests for it.
constexpr UINT DpiChangedMessage = 0x02E0;

TButton* FindButtonIn(const TWinControl& parent, bool cancel) {
  for (TControl* control : parent.Controls()) {
    if (!control->Visible() || !control->Enabled()) continue;
    if (auto* button = dynamic_cast<TButton*>(control)) {
      if (cancel ? button->Cancel() : button->Default()) return button;
    } else if (auto* container = dynamic_cast<TWinControl*>(control)) {
      if (TButton* found = FindButtonIn(*container, cancel)) return found;
    }
  }
  return nullptr;
}

}  // namespace

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  TControl::SetVisible(false);
  StoreBounds(100, 100, 320, 240);
}

TForm::~TForm() {
  if (OnDestroy) {
    try {
      OnDestroy(this);
    } catch (...) {
      Application().HandleException();
    }
  }
  if (Application().mainForm_ == this) Application().mainForm_ = nullptr;
  DestroyHandle();
}

DWORD TForm::StyleBits() const {
  const bool systemMenu = (borderIcons_ & biSystemMenu) != 0;
  DWORD icons = 0;
  if (systemMenu) {
    icons = WS_SYSMENU;
    if (borderIcons_ & biMinimize) icons |= WS_MINIMIZEBOX;
    if (borderIcons_ & biMaximize) icons |= WS_MAXIMIZEBOX;
  }
  switch (borderStyle_) {
    case bsNone: return WS_POPUP;
    case bsSingle: return WS_CAPTION | icons;
    case bsSizeable: return WS_CAPTION | WS_THICKFRAME | icons;
    case bsDialog: return WS_POPUP | WS_CAPTION | DS_MODALFRAME | (systemMenu ? WS_SYSMENU : 0);
    case bsToolWindow: return WS_CAPTION | (systemMenu ? WS_SYSMENU : 0);
  }
  return WS_OVERLAPPEDWINDOW;
}

DWORD TForm::ExStyleBits() const {
  // Tab moves on into the controls of panels and group boxes.
  DWORD exStyle = WS_EX_CONTROLPARENT;
  if (borderStyle_ == bsDialog) exStyle |= WS_EX_DLGMODALFRAME;
  if (borderStyle_ == bsToolWindow) exStyle |= WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) exStyle |= WS_EX_TOPMOST;
  return exStyle;
}

void TForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.className = "ToolkitForm";
  params.classStyle = CS_DBLCLKS;
  params.style = StyleBits() | WS_CLIPCHILDREN;
  if (!Enabled()) params.style |= WS_DISABLED;
  params.exStyle = ExStyleBits();
  params.parent = parentWindow_;
  if (parentWindow_) {
    params.style = (params.style & ~WS_POPUP) | WS_CHILD;
  } else if (TForm* main = Application().MainForm(); main && main != this && main->HandleAllocated()) {
    params.parent = main->Handle();  // the owner of a secondary top-level form
  }
  if (parentWindow_) return;
  if (position_ == poDefaultPosOnly) {
    params.x = params.y = CW_USEDEFAULT;
  } else if (position_ == poScreenCenter) {
    params.x = (GetSystemMetrics(SM_CXSCREEN) - params.width) / 2;
    params.y = (GetSystemMetrics(SM_CYSCREEN) - params.height) / 2;
  }
}

void TForm::BeforeCreateHandle() {
  if (!scaled_) return;
  if (parentWindow_) {
    ScaleTo(ToolkitWindowDpi(parentWindow_));
  } else if (position_ == poScreenCenter) {
    ScaleTo(ToolkitMonitorDpi(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)));
  } else {
    ScaleTo(ToolkitRectDpi(BoundsRect()));
  }
}

void TForm::ChangeScale(int fromDpi, int toDpi) {
  if (parentWindow_) {  // a child window scales like a control
    TWinControl::ChangeScale(fromDpi, toDpi);
    return;
  }
  // The client area scales; the frame, caption and menu bar are the system's at each DPI.
  int width = clientWidth_, height = clientHeight_;
  if (HandleAllocated()) {
    RECT client;
    GetClientRect(TWinControl::Handle(), &client);
    width = client.right;
    height = client.bottom;
  } else if (width < 0 || height < 0) {
    RECT frame = {0, 0, 0, 0};
    ToolkitAdjustWindowRect(frame, StyleBits(), menu_ != nullptr, ExStyleBits(), fromDpi);
    if (width < 0) width = Width() - (frame.right - frame.left);
    if (height < 0) height = Height() - (frame.bottom - frame.top);
  }
  ScaleContents(toDpi);
  SetClientWidth(scaledClientWidth_.Scale(width, fromDpi, toDpi));
  SetClientHeight(scaledClientHeight_.Scale(height, fromDpi, toDpi));
}

void TForm::CreateWnd() {
  if (menu_) ::SetMenu(TWinControl::Handle(), menu_->Handle());
  // The frame's estimate before creation cannot know how the menu bar wraps.
  if (clientWidth_ >= 0) SetClientWidth(clientWidth_);
  if (clientHeight_ >= 0) SetClientHeight(clientHeight_);
  if (OnCreate && !created_) {
    created_ = true;
    OnCreate(this);
  }
  created_ = true;
}

void TForm::SetClientWidth(int width) {
  clientWidth_ = width;
  if (HandleAllocated()) {
    RECT client;
    GetClientRect(TWinControl::Handle(), &client);
    SetBounds(Left(), Top(), Width() - client.right + width, Height());
    return;
  }
  RECT frame = {0, 0, width, 100};
  ToolkitAdjustWindowRect(frame, StyleBits(), menu_ != nullptr, ExStyleBits(), Dpi());
  SetBounds(Left(), Top(), frame.right - frame.left, Height());
}

void TForm::SetClientHeight(int height) {
  clientHeight_ = height;
  if (HandleAllocated()) {
    RECT client;
    GetClientRect(TWinControl::Handle(), &client);
    SetBounds(Left(), Top(), Width(), Height() - client.bottom + height);
    return;
  }
  RECT frame = {0, 0, 100, height};
  ToolkitAdjustWindowRect(frame, StyleBits(), menu_ != nullptr, ExStyleBits(), Dpi());
  SetBounds(Left(), Top(), Width(), frame.bottom - frame.top);
}

void TForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (HandleAllocated()) ::SetMenu(TWinControl::Handle(), menu_ ? menu_->Handle() : nullptr);
}

void TForm::MenuChanged() {
  if (!menu_) return;
  menu_->Rebuild();
  if (HandleAllocated()) {
    ::SetMenu(TWinControl::Handle(), menu_->Handle());
    DrawMenuBar(TWinControl::Handle());
  }
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE: {
      HWND window = TWinControl::Handle();
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(window, focus)) savedFocus_ = focus;
        break;
      }
      if (HIWORD(wParam)) break;  // minimised
      // The focus returns to the control that had it, or goes to the first in tab order.
      HWND target = savedFocus_ && IsWindow(savedFocus_) && IsChild(window, savedFocus_)
                        ? savedFocus_
                        : GetNextDlgTabItem(window, nullptr, FALSE);
      if (target && target != window && IsWindowEnabled(target) && IsWindowVisible(target)) {
        ::SetFocus(target);
        return 0;
      }
      break;
    }
    case DpiChangedMessage: {
      if (!scaled_) break;
      // The system's rectangle places the window; its size comes from the scaled client
      // area, which the system cannot know.
      const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
      ScaleTo(HIWORD(wParam));
      SetBounds(suggested.left, suggested.top, Width(), Height());
      return 0;
    }
    case WM_DESTROY:
      // The menu object owns its menu; the window must not destroy it too.
      if (menu_) ::SetMenu(TWinControl::Handle(), nullptr);
      break;
    case WM_NCDESTROY:
      TControl::SetVisible(false);
      savedFocus_ = nullptr;
      break;
  }
  return TWinControl::WndProc(message, wParam, lParam);
}

TWinControl* TForm::ActiveControl() const {
  HWND focus = GetFocus();
  if (!HandleAllocated()) return nullptr;
  HWND window = const_cast<TForm*>(this)->TWinControl::Handle();
  if (focus && IsChild(window, focus)) return FromHandle(focus);
  return FromHandle(savedFocus_);
}

TButton* TForm::FindButton(bool cancel) const { return FindButtonIn(*this, cancel); }

bool TForm::PreTranslateMessage(MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN &&
      message.message != WM_CHAR && message.message != WM_SYSCHAR)
    return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  // Keys sent to a form itself (a form without controls, a full-screen saver) are its own.
  if (!root || root == message.hwnd) return false;
  auto* form = dynamic_cast<TForm*>(FromHandle(root));
  if (!form) return false;

  if (message.message == WM_KEYDOWN && (message.wParam == VK_RETURN || message.wParam == VK_ESCAPE)) {
    const LRESULT code =
        SendMessageA(message.hwnd, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&message));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;
    TButton* button = nullptr;
    if (message.wParam == VK_RETURN) {
      button = dynamic_cast<TButton*>(FromHandle(message.hwnd));
      if (!button) button = form->FindButton(false);
    } else {
      button = form->FindButton(true);
    }
    if (!button) return false;
    button->Click();
    return true;
  }
  return IsDialogMessageA(root, &message) != 0;
}

void TForm::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  if (HandleAllocated()) UpdateWindowStyle();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  borderIcons_ = icons;
  if (HandleAllocated()) UpdateWindowStyle();
}

void TForm::SetFormStyle(TFormStyle style) {
  formStyle_ = style;
  if (!HandleAllocated()) return;
  SetWindowPos(TWinControl::Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
               0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TForm::SetWindowState(TWindowState state) {
  windowState_ = state;
  if (HandleAllocated() && Visible())
    ShowWindow(TWinControl::Handle(), state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TForm::UpdateWindowStyle() {
  TCreateParams params;
  CreateParams(params);
  HWND window = TWinControl::Handle();
  SetWindowLongPtrA(window, GWL_STYLE, params.style | (Visible() ? WS_VISIBLE : 0));
  SetWindowLongPtrA(window, GWL_EXSTYLE, params.exStyle);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetParentWindow(HWND parent) {
  if (parent == parentWindow_) return;
  DestroyHandle();
  parentWindow_ = parent;
}

void TForm::SetVisible(bool value) {
  if (value)
    Show();
  else
    Hide();
}

void TForm::Show() {
  if (!Visible() && OnShow) OnShow(this);
  HWND window = TWinControl::Handle();
  TControl::SetVisible(true);
  int command = parentWindow_ ? SW_SHOWNA : SW_SHOW;
  if (windowState_ == wsMaximized && !parentWindow_) command = SW_SHOWMAXIMIZED;
  ShowWindow(window, command);
  if (!parentWindow_) SetForegroundWindow(window);
  UpdateWindow(window);
}

void TForm::Hide() {
  TControl::SetVisible(false);
  if (HandleAllocated()) ShowWindow(TWinControl::Handle(), SW_HIDE);
}

int TForm::ShowModal() {
  if (modal_ || Visible()) throw std::runtime_error("Cannot make a visible window modal");
  HWND active = GetActiveWindow();
  modal_ = true;
  modalResult_ = mrNone;
  {
    TTaskWindowsDisabler disabler(TWinControl::Handle());
    Show();
    while (true) {
      Application().HandleMessage();
      if (Application().Terminated()) modalResult_ = mrCancel;
      if (modalResult_ == mrNone) continue;
      if (Application().Terminated()) break;
      TCloseAction action = caNone;
      if (CloseQuery()) {
        action = caHide;
        if (OnClose) OnClose(this, action);
      }
      if (action != caNone) break;
      modalResult_ = mrNone;
    }
    Hide();
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
  modal_ = false;
  return modalResult_;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  if (OnClose) OnClose(this, action);
  if (action == caNone) return;
  if (Application().MainForm() == this) {
    Application().Terminate();
  } else {
    Hide();
  }
}

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

HMENU TForm::SystemMenu() { return GetSystemMenu(TWinControl::Handle(), FALSE); }

void TForm::AppendSystemMenuItem(UINT id, const char* text) {
  AppendMenuA(SystemMenu(), MF_STRING, id, text);
}

void TForm::AppendSystemMenuSeparator(UINT id) {
  AppendMenuA(SystemMenu(), MF_SEPARATOR, id, nullptr);
}

void TForm::RemoveSystemMenuItem(UINT id) { RemoveMenu(SystemMenu(), id, MF_BYCOMMAND); }
