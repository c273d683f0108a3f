#include "TimerEx.h"

#include <stdexcept>

#include "Application.h"

namespace {

constexpr UINT_PTR WindowTimerId = 1;
// The worker thread's tick, posted to the hidden window; wParam is the tick's number.
constexpr UINT TickMessage = WM_APP + 1;

}  // namespace

TTimerEx::TTimerEx(TComponent* owner)
    : TComponent(owner),
      window_([this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        return Message(window, message, wParam, lParam);
      }) {}

TTimerEx::~TTimerEx() {
  enabled_ = false;
  if (windowTimer_) KillTimer(window_.Handle(), WindowTimerId);
  thread_.reset();  // before the window its ticks are posted to
}

void TTimerEx::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimerEx::SetInterval(uint32_t value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
}

void TTimerEx::SetThreaded(bool value) {
  if (value == threaded_) return;
  threaded_ = value;
  UpdateTimer();
}

void TTimerEx::SetThreadPriority(TThreadPriority value) {
  if (value == priority_) return;
  priority_ = value;
  if (threaded_) UpdateTimer();
}

void TTimerEx::SetThreadSafe(bool value) {
  if (value == threadSafe_) return;
  threadSafe_ = value;
  if (threaded_) UpdateTimer();
}

void TTimerEx::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimerEx::UpdateTimer() {
  if (thread_) thread_->Disarm();
  if (windowTimer_) {
    KillTimer(window_.Handle(), WindowTimerId);
    windowTimer_ = false;
  }
  if (threaded_) {
    if (!thread_) thread_ = std::make_unique<TTimerThread>(window_.Handle(), TickMessage);
  } else {
    thread_.reset();
  }
  if (!TimerTicks(enabled_, interval_, bool(onTimer_))) return;
  if (threaded_) {
    std::function<void()> direct;
    if (threadSafe_) {
      direct = [this] {
        try {
          Timer();
        } catch (...) {
          Application().HandleException();
        }
      };
    }
    thread_->Arm(interval_, TimerPriorityValue(priority_), std::move(direct));
  } else {
    if (!SetTimer(window_.Handle(), WindowTimerId, interval_, nullptr))
      throw std::runtime_error("No More Timers Available");
    windowTimer_ = true;
  }
}

void TTimerEx::Timer() {
  if (enabled_ && onTimer_) onTimer_(this);
}

LRESULT TTimerEx::Message(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      if (windowTimer_ && wParam == WindowTimerId) Timer();
      return 0;
    case TickMessage: {
      // A tick posted before the thread was disarmed, replaced or destroyed is not run.
      if (!thread_ || !thread_->TickAwaited(wParam)) return 0;
      // The thread waits until the tick has run, also when Timer throws.  Timer may replace
      // or drop the thread (Threaded off), hence the second look at thread_.
      struct TRelease {
        TTimerEx& timer;
        WPARAM tick;
        ~TRelease() {
          if (timer.thread_) timer.thread_->TickDone(tick);
        }
      } release{*this, wParam};
      Timer();
      return 0;
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
