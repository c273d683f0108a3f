#include "MessageWindow.h"

#include <stdexcept>
#include <string>

#include "Application.h"

namespace {

constexpr char MessageWindowClass[] = "ToolkitMessageWindow";

}  // namespace

TMessageWindow::TMessageWindow(THandler handler) : handler_(std::move(handler)) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &TMessageWindow::WindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = MessageWindowClass;
  RegisterClassA(&windowClass);  // fails harmlessly when an earlier window registered it
  handle_ = CreateWindowExA(0, MessageWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, this);
  if (!handle_) {
    throw std::runtime_error("Error creating message window (error " +
                             std::to_string(GetLastError()) + ")");
  }
}

TMessageWindow::~TMessageWindow() {
  SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
  DestroyWindow(handle_);
}

LRESULT CALLBACK TMessageWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<TMessageWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!self || !self->handler_) return DefWindowProcA(window, message, wParam, lParam);
  try {
    return self->handler_(window, message, wParam, lParam);
  } catch (...) {
    Application().HandleException();
    return 0;
  }
}
