#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "Component.h"
#include "MessageWindow.h"
#include "ScrExport.h"
#include "KernelHandle.h"

class TThreadMiser;
struct TScrTimerThread;

// The framework's message codes (0x8000, WM_APP) between a timer's worker and its window.
inline constexpr WPARAM SCR_HADENOUGH = 4;   // the worker stopped ticking
inline constexpr WPARAM ScrTickRequest = 5;  // run a tick; answered with the next interval
inline constexpr WPARAM ScrTickAlert = 6;    // wake the worker now
// The answer to a tick request: the interval to the next tick in milliseconds, read after the
// handler ran, or one of these two.
inline constexpr std::int32_t ScrTickAgain = -1;      // tick again at once
inline constexpr std::int32_t ScrTickHadEnough = -2;  // stop ticking

// An animation timer whose ticks are paced by a worker thread and run on the window thread.
// The handler's own time counts towards the interval (TimerTickWait): with Interval 40 a
// handler taking 30 ms ticks every 40 ms, one taking 60 ms is followed by the next at once.
// A new interval takes effect at once, the one read after a tick's handler for the next.
//
// The timer ticks while Enabled is set, Interval is not 0 and OnTimer is assigned; each
// change of those starts it afresh on a new worker thread (the old one ends by itself), or
// stops it.  The worker runs one priority step below the thread that started it and writes
// its progress to the trace log.  A TThreadMiser owned by the application guards each worker
// so that none outlives the application.
//
// Create, change and destroy it on a thread with a message loop (the window thread);
// OnTimer runs there, from the loop.
class SCRKIT_API TScrTimer : public TComponent {
public:
  explicit TScrTimer(TComponent* owner);
  // Stops the worker and tells its miser to forget this timer.
  ~TScrTimer() override;

  bool Enabled() const { return enabled_; }  // default true
  virtual void SetEnabled(bool enabled);
  DWORD Interval() const { return interval_; }  // milliseconds, default 10
  // A change wakes the worker so that it takes effect now.  Setting 0 stops the timer, and
  // setting a non-zero interval on a timer stopped by 0 starts it again.
  virtual void SetInterval(DWORD interval);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  virtual void SetOnTimer(TNotifyEvent handler);

  // Stops the worker, then starts a new one when the timer should tick.
  virtual void UpdateTimer();
  // One tick: OnTimer(this) when assigned.
  virtual void Timer();
  virtual void Start();
  virtual void Stop();
  // Wakes the worker, so that a changed interval counts from now.
  virtual void Alert();

  // Whether a worker is attached (the timer ticks).
  bool Running() const { return thread_ != nullptr; }

protected:
  // The hidden window's messages: SCR_HADENOUGH, tick requests and alerts.
  virtual LRESULT TimerWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
  friend class TThreadMiser;  // forgets the miser it tells to forget this timer

  // Detaches the worker: it stops ticking and frees its thread record when it ends.
  void LetGo(TScrTimerThread* thread);

  std::unique_ptr<TMessageWindow> window_;
  TScrTimerThread* thread_ = nullptr;  // shared with the worker, which frees it
  TThreadMiser* miser_ = nullptr;      // the miser of that worker
  bool enabled_ = true;
  DWORD interval_ = 10;
  TNotifyEvent onTimer_;
};

// Guards one worker thread of a TScrTimer.  Owned by the application, it is destroyed when
// the application's components go: it destroys its timer first when it still has one (which
// stops the worker), then waits up to 5 s for the thread to end, handling the messages the
// thread sends meanwhile.  A stopped timer's miser no longer refers to the timer; misers of
// threads that have ended are removed when the next worker starts.
class SCRKIT_API TThreadMiser : public TComponent {
public:
  // Takes ownership of the thread handle.
  TThreadMiser(TComponent* owner, HANDLE thread, TScrTimer* timer);
  ~TThreadMiser() override;

  TScrTimer* Timer() const { return timer_; }
  void ForgetTimer() { timer_ = nullptr; }
  HANDLE Thread() const { return thread_.Get(); }
  bool ThreadEnded() const;

private:
  TKernelHandle thread_;
  TScrTimer* timer_;
};
