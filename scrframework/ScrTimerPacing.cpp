#include "ScrTimerPacing.h"

std::uint32_t ScrTickWait(std::uint32_t t0, std::uint32_t t1, std::uint32_t interval) {
  const std::uint32_t spent = t1 - t0;  // modulo 2^32: right across the wrap of the counter
  return spent < interval ? interval - spent : 0;
}

int ScrPriorityBelow(int priority) {
  constexpr int Idle = -15, Lowest = -2, Highest = 2;
  if (priority > Highest) return Highest;  // below time-critical
  if (priority > Lowest) return priority - 1;
  return Idle;
}
