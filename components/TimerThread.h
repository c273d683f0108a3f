#pragma once

#include <windows.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

// The worker thread of a threaded TTimerEx.  It only paces ticks: while armed it sleeps the
// interval, then either runs the direct handler itself or hands the tick to the window thread
// by posting `message` to `window` (wParam = the tick's number) and waits until the window
// thread acknowledges it with TickDone or the timer is disarmed or destroyed.  It never blocks
// the window thread: a disarmed or destroyed thread stops waiting at once, so the window thread
// may disarm or destroy it from inside a tick.
//
// Must be created, armed, disarmed and destroyed on the window thread (the thread of `window`).
class TTimerThread {
public:
  TTimerThread(HWND window, UINT message);
  // Stops the thread and waits for it; a tick handed to the window thread and not yet run is
  // dropped (its message finds no pending tick).
  ~TTimerThread();
  TTimerThread(const TTimerThread&) = delete;
  TTimerThread& operator=(const TTimerThread&) = delete;

  // Starts pacing afresh: the next tick comes `interval` milliseconds from now.  `priority` is
  // a THREAD_PRIORITY_* value.  With `direct`, each tick runs it on this thread instead of
  // handing the tick over; it must not wait for the window thread (Disarm waits for it).
  void Arm(uint32_t interval, int priority, std::function<void()> direct);
  // Stops pacing.  A tick handed over and not yet run is cancelled; a direct tick in progress
  // is waited for.
  void Disarm();

  // Called by the window thread when the message of tick `tick` arrives: true when that tick
  // is still awaited, so it should run.  TickDone then releases the thread to pace the next.
  bool TickAwaited(WPARAM tick);
  void TickDone(WPARAM tick);

private:
  void Run();
  // Waits until no direct tick runs, so that the handler is not replaced or called after
  // the timer was disarmed.
  void WaitForDirectTick(std::unique_lock<std::mutex>& lock);

  const HWND window_;
  const UINT message_;
  std::mutex mutex_;
  std::condition_variable changed_;
  bool terminated_ = false;
  bool armed_ = false;
  uint64_t arming_ = 0;      // counts Arm and Disarm calls: a change restarts the sleep
  uint32_t interval_ = 0;
  int priority_ = THREAD_PRIORITY_NORMAL;
  std::function<void()> direct_;
  bool directRunning_ = false;
  uint64_t awaited_ = 0;     // the tick handed over and not yet taken, 0 for none
  std::thread thread_;       // last: starts after every member it reads
};
