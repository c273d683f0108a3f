#pragma once

#include <windows.h>

#include <memory>

#include "Component.h"
#include "Control.h"
#include "MessageWindow.h"

// The message timer: OnTimer runs on the window thread every Interval milliseconds while
// Enabled, from the thread's message loop (WM_TIMER of a hidden window of its own), so a
// tick never interrupts other work of the thread and waits while a long handler runs.
//
// A tick that arrives while OnTimer is still running (a modal box opened by the handler
// runs a message loop of its own) is dropped: ticks never nest.  An exception thrown by
// OnTimer goes to Application().HandleException().  The timer must not be destroyed by its
// own OnTimer.
class TTimer : public TComponent {
public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  // Milliseconds between ticks (default 1000).  Values below 1 count as 1; Windows itself
  // raises anything below 10 to 10.  A change while enabled starts the wait again.
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned milliseconds);
  // Default true.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);

  TNotifyEvent OnTimer;

private:
  void Update();
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  std::unique_ptr<TMessageWindow> window_;
  unsigned interval_ = 1000;
  bool enabled_ = true;
  bool running_ = false;  // a set timer exists
  bool ticking_ = false;  // OnTimer is running
};
