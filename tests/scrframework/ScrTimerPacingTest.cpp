#include "ScrTimerPacing.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ScrTimerPacing, TheHandlersTimeCountsTowardsTheInterval) {
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
    EXPECT_EQ(ScrTickWait(row.t0, row.t1, row.interval), row.wait) << row.t0 << " " << row.t1;
  }
}

TEST(ScrTimerPacing, OnePriorityStepBelow) {
  const struct {
    int caller, worker;
  } rows[] = {{15, 2}, {2, 1}, {1, 0}, {0, -1}, {-1, -2}, {-2, -15}, {-15, -15}};
  for (const auto& row : rows) EXPECT_EQ(ScrPriorityBelow(row.caller), row.worker) << row.caller;
}

}  // namespace
