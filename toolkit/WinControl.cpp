#include "WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Cursor.h"
#include "DeviceContext.h"
#include "Font.h"
#include "GraphicControl.h"
#include "Menu.h"

namespace {

// The window property that links a window to its object; present only on the toolkit's
// windows, so a foreign window is never taken for one of ours.
constexpr char ObjectProperty[] = "ToolkitObject";

// Child window ids start above the dialog command ids (IDOK 1 ... IDHELP 9) so that a
// command the system sends with one of those never looks like a control's.
int NextControlId() {
  static int next = 1000;  // process-wide: ids only need to differ among siblings
  return next++;
}

void RegisterToolkitClass(const char* name, UINT style, WNDPROC procedure) {
  static std::set<std::string> registered;  // process-wide: a class outlives every window
  if (registered.count(name)) return;
  WNDCLASSA windowClass = {};
  windowClass.style = style;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  if (RegisterClassA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS)
    registered.insert(name);
}

TShiftState ShiftFromKeys(WPARAM keys) {
  TShiftState shift = 0;
  if (keys & MK_SHIFT) shift |= ssShift;
  if (keys & MK_CONTROL) shift |= ssCtrl;
  if (keys & MK_LBUTTON) shift |= ssLeft;
  if (keys & MK_RBUTTON) shift |= ssRight;
  if (keys & MK_MBUTTON) shift |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

TShiftState KeyboardShift() {
  TShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= ssCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= ssAlt;
  return shift;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyHandle();
  // Children owned elsewhere may outlive this control: they must not reach back into it.
  for (TControl* control : controls_) control->parent_ = nullptr;
  controls_.clear();
}

TWinControl* TWinControl::FromHandle(HWND window) {
  return window ? static_cast<TWinControl*>(GetPropA(window, ObjectProperty)) : nullptr;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.className = "ToolkitControl";
  params.subclass = false;
  params.classStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  params.style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) params.style |= WS_VISIBLE;
  if (!Enabled()) params.style |= WS_DISABLED;
  if (tabStop_) params.style |= WS_TABSTOP;
  params.exStyle = 0;
  params.x = Left();
  params.y = Top();
  params.width = Width();
  params.height = Height();
  params.parent = Parent() ? Parent()->Handle() : nullptr;
}

void TWinControl::CreateHandle() {
  BeforeCreateHandle();
  TCreateParams params;
  CreateParams(params);
  if (handle_) return;  // the parent's creation made this window already
  const bool ownClass = !params.subclass;
  const char* className = params.className;
  if (ownClass) RegisterToolkitClass(className, params.classStyle, &TWinControl::WindowProcedure);
  const bool child = (params.style & WS_CHILD) != 0;
  HMENU id = child ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())) : nullptr;
  HWND window = CreateWindowExA(params.exStyle, className, caption_.c_str(), params.style,
                                params.x, params.y, params.width, params.height, params.parent,
                                id, GetModuleHandleA(nullptr), this);
  if (!window) {
    throw std::runtime_error("Error creating window of control '" + Name() + "' (error " +
                             std::to_string(GetLastError()) + ")");
  }
  if (!ownClass) Attach(window, true);
  SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(ToolkitDefaultFont(Dpi())), FALSE);

  RECT bounds;
  GetWindowRect(window, &bounds);
  HWND parent = GetAncestor(window, GA_PARENT);
  if (child && parent) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&bounds), 2);
  StoreBounds(bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top);

  CreateWnd();
  CreateChildHandles();
  AlignControls();
}

void TWinControl::CreateChildHandles() {
  std::vector<TWinControl*> children;
  for (TControl* control : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(control)) children.push_back(windowed);
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    return a->tabOrder_ < b->tabOrder_;
  });
  // Created in tab order, the windows stand in that order among their siblings, which is
  // the order the dialog keys walk.
  for (TWinControl* child : children)
    if (!child->handle_) child->CreateHandle();
}

void TWinControl::Attach(HWND window, bool subclass) {
  handle_ = window;
  SetPropA(window, ObjectProperty, this);
  if (subclass) {
    classProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWinControl::WindowProcedure)));
  }
}

void TWinControl::Detach() {
  if (!handle_) return;
  RemovePropA(handle_, ObjectProperty);
  handle_ = nullptr;
  classProcedure_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  DestroyWindow(handle_);  // WM_NCDESTROY detaches
  Detach();
}

LRESULT CALLBACK TWinControl::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
  TWinControl* control = FromHandle(window);
  if (!control && message == WM_NCCREATE) {
    control = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    control->Attach(window, false);
  }
  if (!control) return DefWindowProcA(window, message, wParam, lParam);

  LRESULT result = 0;
  try {
    if (message == WM_DESTROY) {
      control->caption_ = control->Caption();
      control->DestroyWnd();
    }
    result = control->WndProc(message, wParam, lParam);
  } catch (...) {
    Application().HandleException();
    result = 0;
  }
  if (message == WM_NCDESTROY) control->Detach();
  return result;
}

LRESULT TWinControl::DefaultHandler(UINT message, WPARAM wParam, LPARAM lParam) {
  if (classProcedure_) return CallWindowProcA(classProcedure_, handle_, message, wParam, lParam);
  return DefWindowProcA(handle_, message, wParam, lParam);
}

HBRUSH TWinControl::ControlColor(HDC) { return nullptr; }

COLORREF TWinControl::Color() const {
  return parentColor_ && Parent() ? Parent()->Color() : color_;
}

HBRUSH TWinControl::ColorBrush() {
  const COLORREF color = Color();
  if (!colorBrush_ || brushColor_ != color) {
    colorBrush_.Reset(CreateSolidBrush(color));
    brushColor_ = color;
  }
  return colorBrush_.Get();
}

LRESULT TWinControl::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  const bool ownClass = classProcedure_ == nullptr;
  switch (message) {
    case WM_COMMAND:
      if (lParam) {
        if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam))) {
          child->CommandNotify(HIWORD(wParam));
          return 0;
        }
      } else if (HIWORD(wParam) == 0 && TMenuItem::DispatchCommand(LOWORD(wParam))) {
        return 0;
      }
      break;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (TWinControl* child = FromHandle(header->hwndFrom)) return child->Notify(header);
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_MENU) {
        if (TWinControl* child = FromHandle(item->hwndItem)) {
          child->DrawItem(*item);
          return TRUE;
        }
      }
      break;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(lParam)))
        if (HBRUSH brush = child->ControlColor(reinterpret_cast<HDC>(wParam)))
          return reinterpret_cast<LRESULT>(brush);
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(wParam);
        OnKeyDown(this, key, KeyboardShift());
        if (key == 0) return 0;
        wParam = key;
      }
      break;
    case WM_CHAR:
      if (OnKeyPress) {
        char key = static_cast<char>(wParam);
        OnKeyPress(this, key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
      }
      break;
    case WM_SETFOCUS:
      if (OnEnter) OnEnter(this);
      break;
    case WM_KILLFOCUS:
      if (OnExit) OnExit(this);
      break;
    case WM_SETCURSOR:
      if (LOWORD(lParam) == HTCLIENT && reinterpret_cast<HWND>(wParam) == handle_) {
        if (ToolkitCursorOverridden()) {
          ::SetCursor(ToolkitCursorHandle(crHourGlass));
          return TRUE;
        }
        if (ownClass) {
          POINT point;
          GetCursorPos(&point);
          ScreenToClient(handle_, &point);
          TControl* under = GraphicControlAt(point.x, point.y);
          TCursor cursor = under && under->Cursor() != crDefault ? under->Cursor() : Cursor();
          if (cursor != crDefault) {
            ::SetCursor(ToolkitCursorHandle(cursor));
            return TRUE;
          }
        }
      }
      break;
    case WM_WINDOWPOSCHANGED: {
      const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
      int left = Left(), top = Top(), width = Width(), height = Height();
      if (!(position->flags & SWP_NOMOVE)) {
        left = position->x;
        top = position->y;
      }
      if (!(position->flags & SWP_NOSIZE)) {
        width = position->cx;
        height = position->cy;
      }
      StoreBounds(left, top, width, height);
      break;
    }
    case WM_SIZE: {
      const LRESULT result = DefaultHandler(message, wParam, lParam);
      AlignControls();
      if (OnResize) OnResize(this);
      return result;
    }
  }
  if (ownClass) {
    switch (message) {
      case WM_ERASEBKGND: {
        if (!ErasesBackground()) return 1;
        const HDC dc = reinterpret_cast<HDC>(wParam);
        TSavedDC saved(dc);
        // Opaque windowless controls paint every pixel of their rectangle themselves.
        for (const TControl* control : controls_) {
          const auto* graphic = dynamic_cast<const TGraphicControl*>(control);
          if (!graphic || !graphic->ControlOpaque() || !graphic->Visible()) continue;
          const RECT bounds = graphic->BoundsRect();
          ExcludeClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
        }
        RECT client;
        GetClientRect(handle_, &client);
        FillRect(dc, &client, ColorBrush());
        return 1;
      }
      case WM_PAINT: {
        bool anyGraphic = false;
        for (const TControl* control : controls_)
          anyGraphic = anyGraphic || dynamic_cast<const TGraphicControl*>(control);
        if (!anyGraphic) break;
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(handle_, &paint);
        PaintControls(dc);
        EndPaint(handle_, &paint);
        return 0;
      }
      case WM_LBUTTONDOWN:
      case WM_RBUTTONDOWN:
      case WM_MBUTTONDOWN:
      case WM_LBUTTONUP:
      case WM_RBUTTONUP:
      case WM_MBUTTONUP:
      case WM_LBUTTONDBLCLK:
      case WM_RBUTTONDBLCLK:
      case WM_MOUSEMOVE: {
        bool handled = false;
        const LRESULT result = HandleMouse(message, wParam, lParam, handled);
        if (handled) return result;
        break;
      }
    }
  }
  return DefaultHandler(message, wParam, lParam);
}

TGraphicControl* TWinControl::GraphicControlAt(int x, int y) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* graphic = dynamic_cast<TGraphicControl*>(*it);
    if (!graphic || !graphic->Visible() || !graphic->Enabled()) continue;
    const RECT bounds = graphic->BoundsRect();
    if (x >= bounds.left && x < bounds.right && y >= bounds.top && y < bounds.bottom)
      return graphic;
  }
  return nullptr;
}

LRESULT TWinControl::HandleMouse(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) {
  const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  TControl* target = GraphicControlAt(x, y);
  if (!target) target = this;
  const int localX = target == this ? x : x - target->Left();
  const int localY = target == this ? y : y - target->Top();
  TShiftState shift = ShiftFromKeys(wParam);
  TMouseButton button = mbLeft;
  if (message == WM_RBUTTONDOWN || message == WM_RBUTTONUP || message == WM_RBUTTONDBLCLK)
    button = mbRight;
  if (message == WM_MBUTTONDOWN || message == WM_MBUTTONUP) button = mbMiddle;

  switch (message) {
    case WM_MOUSEMOVE:
      target->MouseMove(shift, localX, localY);
      break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (button == mbLeft) pressed_ = target;
      target->MouseDown(button, shift, localX, localY);
      break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
      target->MouseDown(button, shift | ssDouble, localX, localY);
      if (button == mbLeft) target->DblClick();
      break;
    default: {  // a button released
      // A handler of the press may have destroyed the control; only a control still placed
      // here gets the click.
      const bool pressedHere =
          button == mbLeft && pressed_ == target &&
          (target == this || std::find(controls_.begin(), controls_.end(), target) != controls_.end());
      if (button == mbLeft) pressed_ = nullptr;
      target->MouseUp(button, shift, localX, localY);
      if (pressedHere) target->Click();
      break;
    }
  }
  handled = false;
  return 0;
}

void TWinControl::PaintControls(HDC dc) {
  // A copy: a control's paint may move controls (a picture that sizes itself).
  const std::vector<TControl*> controls = controls_;
  for (TControl* control : controls) {
    auto* graphic = dynamic_cast<TGraphicControl*>(control);
    if (!graphic || !graphic->Visible()) continue;
    const RECT bounds = graphic->BoundsRect();
    if (!RectVisible(dc, &bounds)) continue;
    TSavedDC saved(dc);
    IntersectClipRect(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    OffsetViewportOrgEx(dc, bounds.left, bounds.top, nullptr);
    graphic->Paint(dc);
  }
}

void TWinControl::AlignControls() {
  if (!handle_) return;
  RECT client;
  GetClientRect(handle_, &client);
  for (TControl* control : std::vector<TControl*>(controls_)) {
    if (control->Align() != alClient) continue;
    const RECT bounds = control->BoundsRect();
    if (bounds.left != 0 || bounds.top != 0 || bounds.right != client.right ||
        bounds.bottom != client.bottom)
      control->SetBounds(0, 0, client.right, client.bottom);
  }
}

void TWinControl::ChangeScale(int fromDpi, int toDpi) {
  TControl::ChangeScale(fromDpi, toDpi);
  ScaleContents(toDpi);
}

void TWinControl::ScaleContents(int toDpi) {
  for (TControl* control : std::vector<TControl*>(controls_)) control->ScaleTo(toDpi);
  if (handle_) {
    SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(ToolkitDefaultFont(toDpi)), TRUE);
    InvalidateRect(handle_, nullptr, TRUE);
  }
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  auto* windowed = dynamic_cast<TWinControl*>(control);
  if (!windowed || windowed->tabOrder_ >= 0) return;
  int siblings = 0;
  for (TControl* other : controls_)
    if (other != control && dynamic_cast<TWinControl*>(other)) ++siblings;
  windowed->tabOrder_ = siblings;
}

void TWinControl::RemoveControl(TControl* control) {
  if (pressed_ == control) pressed_ = nullptr;
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

void TWinControl::SetParent(TWinControl* parent) {
  if (parent == Parent()) return;
  TControl::SetParent(parent);
  if (!handle_) {
    if (parent && parent->HandleAllocated()) CreateHandle();
  } else if (parent && parent->HandleAllocated()) {
    ::SetParent(handle_, parent->Handle());
  } else if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) {
    DestroyHandle();
  }
  if (parent) parent->UpdateTabOrder();
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  StoreBounds(left, top, width, height);
  if (handle_) MoveWindow(handle_, left, top, width, height, TRUE);
}

void TWinControl::SetVisible(bool value) {
  TControl::SetVisible(value);
  if (handle_) ShowWindow(handle_, value ? SW_SHOWNA : SW_HIDE);
}

void TWinControl::SetEnabled(bool value) {
  TControl::SetEnabled(value);
  if (handle_) EnableWindow(handle_, value);
}

std::string TWinControl::Caption() const {
  if (!handle_) return caption_;
  std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
  return text;
}

void TWinControl::SetCaption(std::string caption) {
  caption_ = std::move(caption);
  if (handle_) SetWindowTextA(handle_, caption_.c_str());
}

void TWinControl::SetColor(COLORREF color) {
  color_ = color;
  parentColor_ = false;
  if (handle_) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::SetTabOrder(int order) {
  tabOrder_ = order;
  if (Parent()) Parent()->UpdateTabOrder();
}

void TWinControl::SetTabStop(bool value) {
  tabStop_ = value;
  if (!handle_) return;
  LONG_PTR style = GetWindowLongPtrA(handle_, GWL_STYLE);
  style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
  SetWindowLongPtrA(handle_, GWL_STYLE, style);
}

void TWinControl::UpdateTabOrder() {
  std::vector<TWinControl*> children;
  for (TControl* control : controls_)
    if (auto* windowed = dynamic_cast<TWinControl*>(control); windowed && windowed->handle_)
      children.push_back(windowed);
  std::stable_sort(children.begin(), children.end(), [](TWinControl* a, TWinControl* b) {
    return a->tabOrder_ < b->tabOrder_;
  });
  HWND after = HWND_TOP;
  for (TWinControl* child : children) {
    SetWindowPos(child->handle_, after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = child->handle_;
  }
}

int TWinControl::ClientWidth() {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.right;
}

int TWinControl::ClientHeight() {
  RECT client;
  GetClientRect(Handle(), &client);
  return client.bottom;
}

void TWinControl::SetFocus() { ::SetFocus(Handle()); }
