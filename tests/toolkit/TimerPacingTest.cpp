#include "TimerPacing.h"

#include <gtest/gtest.h>

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

TEST(TimerPacing, TicksOnlyEnabledWithAnIntervalAndAHandler) {
  EXPECT_TRUE(TimerTicks(true, 1, true));
  EXPECT_FALSE(TimerTicks(false, 10, true));
  EXPECT_FALSE(TimerTicks(true, 0, true));
  EXPECT_FALSE(TimerTicks(true, 10, false));
}

TEST(TimerPacing, TheHandlersTimeCountsTowardsTheInterval) {
  const struct {
    std::uint32_t t0, t1, interval, wait;
  } rows[] = {
      {1000, 1030, 40, 10},  // a 30 ms handler: ticks every 40 ms
      {1000, 1060, 40, 0},   // a 60 ms handler: the next tick follows at once
      {1000, 1040, 40, 0},
      {1000, 1000, 40, 40},
      {1000, 1000, 0, 0},
      {0xFFFFFFF0, 0x00000008, 40, 16},  // the tick count wrapped during the handler
      {0xFFFFFFF0, 0x00000040, 40, 0},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(TimerTickWait(row.t0, row.t1, row.interval), row.wait) << row.t0 << " " << row.t1;
  }
}

TEST(TimerPacing, PrioritiesOnTheSystemsScale) {
  const struct {
    int caller, worker;
  } below[] = {{15, 2}, {2, 1}, {1, 0}, {0, -1}, {-1, -2}, {-2, -15}, {-15, -15}};
  for (const auto& row : below) EXPECT_EQ(TimerPriorityBelow(row.caller), row.worker) << row.caller;
  // Each named priority is one step above the one before it.
  for (int p = tpLowest; p <= tpTimeCritical; ++p)
    EXPECT_EQ(TimerPriorityBelow(TimerPriorityValue(TThreadPriority(p))),
              TimerPriorityValue(TThreadPriority(p - 1)))
        << p;
#ifdef _WIN32
  EXPECT_EQ(TimerPriorityValue(tpIdle), THREAD_PRIORITY_IDLE);
  EXPECT_EQ(TimerPriorityValue(tpLower), THREAD_PRIORITY_BELOW_NORMAL);
  EXPECT_EQ(TimerPriorityValue(tpNormal), THREAD_PRIORITY_NORMAL);
  EXPECT_EQ(TimerPriorityValue(tpTimeCritical), THREAD_PRIORITY_TIME_CRITICAL);
#endif
}

}  // namespace
