// TTimerEx under Wine: where its ticks run, what stops them, and what survives its destruction.
// Nothing here depends on how fast the machine is: the checks are on delivery thread, order
// and absence of ticks, never on the length of an interval.
#include "TimerEx.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

#include "../support/MessagePump.h"

namespace {

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
  PumpFor(150);
  EXPECT_EQ(threads.size(), ticks) << "ticks while disabled";

  timer.SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return threads.size() >= ticks + 2; }));

  timer.SetInterval(0);
  ticks = threads.size();
  PumpFor(150);
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
  Sleep(50);  // without a loop: the worker has posted its next tick and waits for it
  timer.reset();
  const int before = ticks;
  PumpFor(100);
  EXPECT_EQ(ticks, before);
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
    Sleep(2);
    if (disabled) afterDisable = true;
    ++ticks;
  });
  for (int i = 0; i < 6000 && ticks < 3; ++i) Sleep(10);
  ASSERT_GE(ticks.load(), 3);
  timer.SetEnabled(false);
  disabled = true;
  Sleep(50);
  EXPECT_FALSE(afterDisable);
  EXPECT_NE(thread.load(), GetCurrentThreadId());
}

}  // namespace
