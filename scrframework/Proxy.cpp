#include "Proxy.h"

#include "Application.h"

namespace {

constexpr char ProxyWindowClass[] = "ProxyChild";

// Not through the toolkit's bridge: the child is no control, only a watch on its own
// destruction inside a foreign window (the previewer's), with the proxy in its user data.
LRESULT CALLBACK ProxyWindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (auto* proxy = reinterpret_cast<TProxy*>(GetWindowLongPtrA(window, GWLP_USERDATA))) {
    try {
      proxy->PxMessage(msg, wParam, lParam);
    } catch (...) {
      Application().HandleException();
    }
  }
  return DefWindowProcA(window, msg, wParam, lParam);
}

}  // namespace

TProxy::TProxy(TComponent* owner) : TComponent(owner) {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), ProxyWindowClass, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS;
  windowClass.lpfnWndProc = &ProxyWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  windowClass.lpszClassName = ProxyWindowClass;
  if (!RegisterClassA(&windowClass)) {
    Application().MessageBox("Failed to register monitor window class", "Error", MB_OK);
  }
}

TProxy::~TProxy() { ChangeParentHwnd(nullptr); }

void TProxy::ChangeParentHwnd(HWND parent) {
  if (child_) {
    SetWindowLongPtrA(child_, GWLP_USERDATA, 0);
    DestroyWindow(child_);
    child_ = nullptr;
  }
  if (!parent || !IsWindow(parent)) return;
  RECT bounds;
  GetWindowRect(parent, &bounds);
  child_ = CreateWindowExA(0, ProxyWindowClass, "Proxy", WS_CHILD | WS_VISIBLE, 0, 0,
                           bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                           reinterpret_cast<HMENU>(100), GetModuleHandleA(nullptr), nullptr);
  if (child_) SetWindowLongPtrA(child_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

HWND TProxy::GetParentHwnd() const { return child_ ? GetParent(child_) : nullptr; }

void TProxy::PxMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_DESTROY) return;
  HWND child = child_;
  SetWindowLongPtrA(child, GWLP_USERDATA, 0);
  child_ = nullptr;
  if (OnPxDestroy) OnPxDestroy(this, child, msg, wParam, lParam);
}
