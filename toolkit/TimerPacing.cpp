#include "TimerPacing.h"

namespace {

constexpr int Idle = -15, Lowest = -2, Highest = 2, TimeCritical = 15;

}  // namespace

bool TimerTicks(bool enabled, std::uint32_t interval, bool hasHandler) {
  return enabled && interval != 0 && hasHandler;
}

int TimerPriorityValue(TThreadPriority priority) {
  switch (priority) {
    case tpIdle: return Idle;
    case tpLowest: return Lowest;
    case tpLower: return -1;
    case tpNormal: return 0;
    case tpHigher: return 1;
    case tpHighest: return Highest;
    case tpTimeCritical: return TimeCritical;
  }
  return 0;
}

int TimerPriorityBelow(int priority) {
  if (priority > Highest) return Highest;  // below time-critical
  if (priority > Lowest) return priority - 1;
  return Idle;
}

std::uint32_t TimerTickWait(std::uint32_t t0, std::uint32_t t1, std::uint32_t interval) {
  const std::uint32_t spent = t1 - t0;  // modulo 2^32: right across the wrap of the counter
  return spent < interval ? interval - spent : 0;
}
