#pragma once

#include <windows.h>

#include <functional>

// A hidden message-only window whose messages go to a handler, for objects that are not
// windows but need messages posted to them (the saver controller's delayed start).  The
// window lives as long as the object.  An exception thrown by the handler goes to
// Application().HandleException() and the message returns 0.
class TMessageWindow {
public:
  using THandler = std::function<LRESULT(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;

  explicit TMessageWindow(THandler handler);
  ~TMessageWindow();
  TMessageWindow(const TMessageWindow&) = delete;
  TMessageWindow& operator=(const TMessageWindow&) = delete;

  HWND Handle() const { return handle_; }

private:
  // Not TWinControl's bridge: a message-only window has no control, parent or painting, and
  // its owner is no window; every message goes to the handler.
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam,
                                          LPARAM lParam);
  THandler handler_;
  HWND handle_ = nullptr;
};
