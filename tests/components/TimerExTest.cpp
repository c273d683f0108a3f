// TTimerEx under Wine: where its ticks run, what stops them, and what survives its destruction.
// Nothing here depends on how fast the machine is: the checks are on delivery thread, order
// and absence of ticks, never on the length of an interval.  That a timer stayed quiet is
// checked once a running witness with the same interval has ticked several times.
#include "TimerEx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "../support/MessagePump.h"

namespace {

// Pumps until a second timer of the same mode and interval has ticked three times: by then
// a timer that should be quiet would have ticked too.
void PumpThreeIntervals(bool threaded, uint32_t interval) {
  TTimerEx witness(nullptr);
  witness.SetThreaded(threaded);
  witness.SetInterval(interval);
  int ticks = 0;
  witness.SetOnTimer([&](TComponent*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
}

class TimerExTest : public ::testing::TestWithParam<bool> {};

// Ticks in both modes reach OnTimer on the window thread, with the timer as sender; a
// disabled timer, or one with Interval 0, stays quiet, and enabling it again resumes.
TEST_P(TimerExTest, TicksRunOnTheWindowThreadWhileEnabled) {
  TTimerEx timer(nullptr);
  timer.SetThreaded(GetParam());
  timer.SetInterval(5);
  std::vector<DWORD> threads;
  timer.SetOnTimer([&](TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    threads.push_back(GetCurrentThreadId());
  });
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= 3; }));
  for (DWORD thread : threads) EXPECT_EQ(thread, GetCurrentThreadId());

  timer.SetEnabled(false);
  size_t ticks = threads.size();
  PumpThreeIntervals(GetParam(), 5);
  EXPECT_EQ(threads.size(), ticks) << "ticks while disabled";

  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= ticks + 2; }));

  timer.SetInterval(0);
  ticks = threads.size();
  PumpThreeIntervals(GetParam(), 5);
  EXPECT_EQ(threads.size(), ticks) << "ticks with interval 0";
}

// The animation changes the interval inside every tick; a handler may also switch modes.
// Ticks go on through both switches, on the window thread.
TEST_P(TimerExTest, HandlerChangesIntervalAndMode) {
  TTimerEx timer(nullptr);
  timer.SetThreaded(GetParam());
  timer.SetInterval(1);
  int ticks = 0;
  const DWORD windowThread = GetCurrentThreadId();
  timer.SetOnTimer([&](TComponent*) {
    EXPECT_EQ(GetCurrentThreadId(), windowThread);
    ++ticks;
    timer.SetInterval(uint32_t(1 + ticks % 3));
    if (ticks == 3 || ticks == 6) timer.SetThreaded(!timer.Threaded());
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 9; }));
  EXPECT_EQ(timer.Threaded(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Modes, TimerExTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Threaded" : "Message"; });

// Destroying a running timer, also while its worker waits for a tick it has handed to the
// window thread, ends the worker, and the handed-over tick never runs.
TEST(TimerEx, DestructionWhileATickIsPending) {
  int ticks = 0;
  auto timer = std::make_unique<TTimerEx>(nullptr);
  timer->SetInterval(1);
  timer->SetOnTimer([&](TComponent*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  // Without a loop: the worker posts its next tick and waits for it.
  const DWORD start = GetTickCount();
  while (!(HIWORD(GetQueueStatus(QS_POSTMESSAGE)) & QS_POSTMESSAGE)) {
    ASSERT_LT(GetTickCount() - start, 60000u) << "no tick was posted";
    Sleep(1);
  }
  timer.reset();
  const int before = ticks;
  ASSERT_TRUE(PumpPosted());  // the tick posted before the destruction, and nothing after
  EXPECT_EQ(ticks, before);
}

// Polls `done` without a message loop, for handlers that run on a worker; false after a minute.
bool WaitUntil(const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 60000) return false;
    Sleep(1);
  }
  return true;
}

// With ThreadSafe the worker runs OnTimer itself, and once SetEnabled(false) has returned no
// handler runs any more, not even one that had already started.
TEST(TimerEx, ThreadSafeTicksRunOnTheWorker) {
  TTimerEx timer(nullptr);
  timer.SetThreadSafe(true);
  timer.SetInterval(1);
  std::atomic<int> ticks{0};
  std::atomic<DWORD> thread{0};
  std::atomic<bool> disabled{false};
  std::atomic<bool> afterDisable{false};
  timer.SetOnTimer([&](TComponent*) {
    thread = GetCurrentThreadId();
    Sleep(2);  // a handler that takes a moment, so that the disabling may meet one running
    if (disabled) afterDisable = true;
    ++ticks;
  });
  ASSERT_TRUE(WaitUntil([&] { return ticks >= 3; }));
  timer.SetEnabled(false);
  disabled = true;
  // A witness on a worker of its own, with the same interval: three of its ticks are three
  // chances the disabled timer had.
  TTimerEx witness(nullptr);
  witness.SetThreadSafe(true);
  witness.SetInterval(1);
  std::atomic<int> witnessTicks{0};
  witness.SetOnTimer([&](TComponent*) { ++witnessTicks; });
  ASSERT_TRUE(WaitUntil([&] { return witnessTicks >= 3; }));
  EXPECT_FALSE(afterDisable);
  EXPECT_NE(thread.load(), GetCurrentThreadId());
}

}  // namespace
