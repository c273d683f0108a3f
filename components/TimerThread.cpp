#include "TimerThread.h"

#include <atomic>
#include <chrono>

namespace {

// Tick numbers are unique in the process, so that a tick posted by a thread that was
// replaced is never taken for a tick of its successor.
std::atomic<uint64_t> lastTick{0};

}  // namespace

TTimerThread::TTimerThread(HWND window, UINT message)
    : window_(window), message_(message), thread_([this] { Run(); }) {}

TTimerThread::~TTimerThread() {
  {
    std::lock_guard lock(mutex_);
    terminated_ = true;
  }
  changed_.notify_all();
  thread_.join();
}

void TTimerThread::Arm(uint32_t interval, int priority, std::function<void()> direct) {
  {
    std::unique_lock lock(mutex_);
    WaitForDirectTick(lock);
    armed_ = true;
    ++arming_;
    interval_ = interval;
    priority_ = priority;
    direct_ = std::move(direct);
    awaited_ = 0;
  }
  changed_.notify_all();
}

void TTimerThread::Disarm() {
  {
    std::unique_lock lock(mutex_);
    armed_ = false;
    ++arming_;
    awaited_ = 0;
    WaitForDirectTick(lock);
  }
  changed_.notify_all();
}

void TTimerThread::WaitForDirectTick(std::unique_lock<std::mutex>& lock) {
  // A direct handler that re-arms its own timer runs on this thread: it cannot wait for itself.
  if (std::this_thread::get_id() == thread_.get_id()) return;
  changed_.wait(lock, [this] { return !directRunning_; });
}

bool TTimerThread::TickAwaited(WPARAM tick) {
  std::lock_guard lock(mutex_);
  return awaited_ != 0 && awaited_ == tick;
}

void TTimerThread::TickDone(WPARAM tick) {
  {
    std::lock_guard lock(mutex_);
    if (awaited_ != tick) return;
    awaited_ = 0;
  }
  changed_.notify_all();
}

void TTimerThread::Run() {
  int appliedPriority = THREAD_PRIORITY_NORMAL;
  std::unique_lock lock(mutex_);
  while (!terminated_) {
    if (!armed_) {
      changed_.wait(lock, [this] { return terminated_ || armed_; });
      continue;
    }
    if (priority_ != appliedPriority) {
      appliedPriority = priority_;
      SetThreadPriority(GetCurrentThread(), appliedPriority);
    }
    const uint64_t arming = arming_;
    const auto interval = std::chrono::milliseconds(interval_);
    // Any Arm or Disarm during the sleep starts it again with the new settings.
    if (changed_.wait_for(lock, interval, [&] { return terminated_ || arming_ != arming; }))
      continue;
    if (direct_) {
      directRunning_ = true;
      const std::function<void()> direct = direct_;
      lock.unlock();
      direct();
      lock.lock();
      directRunning_ = false;
      changed_.notify_all();
      continue;
    }
    const uint64_t tick = ++lastTick;
    awaited_ = tick;
    if (!PostMessageA(window_, message_, WPARAM(tick), 0)) {
      awaited_ = 0;
      continue;
    }
    changed_.wait(lock, [&] { return terminated_ || awaited_ != tick; });
  }
}
