#include "Form.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "DeviceContext.h"
#include "GraphicControl.h"

namespace {

constexpr char FormWindowClass[] = "ToolkitForm";

void RegisterFormClass(WNDPROC procedure) {
  static bool registered = false;  // once per process: the class outlives every form
  if (registered) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = FormWindowClass;
  registered = RegisterClassA(&windowClass) != 0;
}

DWORD BorderStyleBits(TBorderStyle style) {
  switch (style) {
    case bsNone: return WS_POPUP;
    case bsSingle: return WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case bsSizeable: return WS_OVERLAPPEDWINDOW;
    case bsDialog: return WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  }
  return WS_OVERLAPPEDWINDOW;
}

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

}  // namespace

TForm::TForm(TComponent* owner) : TComponent(owner) {}

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
  // Controls owned by this form are destroyed after this destructor, by TComponent's: they
  // must not reach back into the half-destroyed form.
  for (TGraphicControl* control : controls_) control->parent_ = nullptr;
}

HWND TForm::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TForm::CreateParams(TCreateParams& params) {
  params.style = BorderStyleBits(borderStyle_) | WS_CLIPCHILDREN;
  params.exStyle = 0;
  params.x = left_;
  params.y = top_;
  params.width = width_;
  params.height = height_;
  params.parent = parentWindow_;
  if (parentWindow_) params.style = (params.style & ~WS_POPUP) | WS_CHILD;
  if (position_ == poDefaultPosOnly && !parentWindow_) params.x = params.y = CW_USEDEFAULT;
}

void TForm::CreateHandle() {
  RegisterFormClass(&TForm::WindowProcedure);
  TCreateParams params;
  CreateParams(params);
  // The window procedure stores this object at WM_NCCREATE, from lpCreateParams.
  HWND window = CreateWindowExA(params.exStyle, FormWindowClass, caption_.c_str(), params.style,
                                params.x, params.y, params.width, params.height, params.parent,
                                nullptr, GetModuleHandleA(nullptr), this);
  if (!window) {
    throw std::runtime_error("Error creating window of form '" + Name() +
                             "' (error " + std::to_string(GetLastError()) + ")");
  }
  RECT bounds;
  GetWindowRect(window, &bounds);
  if (params.parent) MapWindowPoints(nullptr, params.parent, reinterpret_cast<POINT*>(&bounds), 2);
  left_ = bounds.left;
  top_ = bounds.top;
  width_ = bounds.right - bounds.left;
  height_ = bounds.bottom - bounds.top;
}

void TForm::DestroyHandle() {
  if (!handle_) return;
  HWND window = handle_;
  DestroyWindow(window);  // WM_NCDESTROY clears handle_
  handle_ = nullptr;
}

LRESULT CALLBACK TForm::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                        LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<TForm*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->handle_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    result = form->WndProc(message, wParam, lParam);
  } catch (...) {
    Application().HandleException();
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    form->handle_ = nullptr;
    form->visible_ = false;
  }
  return result;
}

LRESULT TForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ERASEBKGND: {
      const HDC dc = reinterpret_cast<HDC>(wParam);
      TSavedDC saved(dc);
      // Opaque windowless controls paint every pixel of their rectangle themselves.
      for (const TGraphicControl* control : controls_) {
        if (!control->ControlOpaque()) continue;
        const RECT bounds = control->BoundsRect();
        ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
      }
      RECT client;
      GetClientRect(handle_, &client);
      HBRUSH brush = CreateSolidBrush(color_);
      FillRect(dc, &client, brush);
      DeleteObject(brush);
      return 1;
    }
    case WM_PAINT: {
      if (controls_.empty()) break;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(handle_, &paint);
      PaintControls(dc);
      EndPaint(handle_, &paint);
      return 0;
    }
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && cursor_ != crDefault) {
        ::SetCursor(cursor_ == crNone ? nullptr : LoadCursorA(nullptr, IDC_ARROW));
        return TRUE;
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (!(position->flags & SWP_NOMOVE)) {
        left_ = position->x;
        top_ = position->y;
      }
      if (!(position->flags & SWP_NOSIZE)) {
        width_ = position->cx;
        height_ = position->cy;
      }
      break;
    }
  }
  return DefWindowProcA(handle_, message, wParam, lParam);
}

void TForm::PaintControls(HDC dc) {
  // A copy: a control's paint may move controls (a picture that sizes itself).
  const std::vector<TGraphicControl*> controls = controls_;
  for (TGraphicControl* control : controls) {
    const RECT bounds = control->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    TSavedDC saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    control->Paint(dc);
  }
}

void TForm::RemoveControl(TGraphicControl* control) {
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TForm::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

void TForm::SetBorderStyle(TBorderStyle style) {
  borderStyle_ = style;
  if (handle_) UpdateWindowStyle();
}

void TForm::UpdateWindowStyle() {
  TCreateParams params;
  CreateParams(params);
  SetWindowLongPtrA(handle_, GWL_STYLE, params.style | (visible_ ? WS_VISIBLE : 0));
  SetWindowLongPtrA(handle_, GWL_EXSTYLE, params.exStyle);
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TForm::SetBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
}

void TForm::SetColor(COLORREF color) {
  color_ = color;
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TForm::SetParentWindow(HWND parent) {
  if (parent == parentWindow_) return;
  DestroyHandle();
  parentWindow_ = parent;
}

void TForm::Show() {
  HWND window = Handle();
  visible_ = true;
  ShowWindow(window, parentWindow_ ? SW_SHOWNA : SW_SHOW);
  if (!parentWindow_) SetForegroundWindow(window);
  UpdateWindow(window);
}

void TForm::Hide() {
  visible_ = false;
  if (handle_) ShowWindow(handle_, SW_HIDE);
}

int TForm::ShowModal() {
  if (modal_ || visible_) throw std::runtime_error("Cannot make a visible window modal");
  HWND active = GetActiveWindow();
  modal_ = true;
  modalResult_ = mrNone;
  {
    TTaskWindowsDisabler disabler(Handle());
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
