#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "Component.h"
#include "MessageWindow.h"
#include "TimerPacing.h"
#include "TimerThread.h"

// A timer component that by default paces its ticks on a worker thread (TTimerThread) and
// runs them on the window thread, so a busy message queue does not stretch its intervals as
// the platform's message timer does; with Threaded off it uses a message timer instead.
//
// Create, change and destroy it on a thread with a message loop; OnTimer runs on that
// thread (unless ThreadSafe is on), from the loop, never from inside a setter.  Every change
// of Enabled, Interval, Threaded, ThreadPriority, ThreadSafe or OnTimer re-arms the timer: the
// next tick comes a full Interval after the change.  It ticks only while Enabled is on,
// Interval is above 0 and OnTimer is set.  Destroying it stops it; a tick already handed to
// the window thread is then dropped.
class TTimerEx : public TComponent {
public:
  explicit TTimerEx(TComponent* owner);
  ~TTimerEx() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  uint32_t Interval() const { return interval_; }   // milliseconds, default 1000
  void SetInterval(uint32_t value);
  bool Threaded() const { return threaded_; }
  void SetThreaded(bool value);
  TThreadPriority ThreadPriority() const { return priority_; }
  void SetThreadPriority(TThreadPriority value);
  // On: OnTimer runs on the worker thread itself, and must then neither touch windows nor
  // wait for the window thread.  Only in threaded mode.
  bool ThreadSafe() const { return threadSafe_; }
  void SetThreadSafe(bool value);

  const TNotifyEvent& OnTimer() const { return onTimer_; }
  void SetOnTimer(TNotifyEvent handler);

protected:
  // One tick: calls OnTimer while the timer is enabled.
  virtual void Timer();

private:
  void UpdateTimer();
  LRESULT Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  bool enabled_ = true;
  uint32_t interval_ = 1000;
  bool threaded_ = true;
  TThreadPriority priority_ = tpNormal;
  bool threadSafe_ = false;
  TNotifyEvent onTimer_;
  // Receives the message timer's ticks and the worker thread's hand-over in both modes.
  TMessageWindow window_;
  std::unique_ptr<TTimerThread> thread_;
  bool windowTimer_ = false;
};
