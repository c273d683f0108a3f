#pragma once

#include <cstdint>

// The pacing of the two timers whose ticks a worker thread paces and the window thread runs:
// TTimerEx (the GIF control's) and TScrTimer (the saver framework's).  Where the two agree it
// is written here once; where they differ on purpose, both rules stand here side by side.

// Both tick while they are enabled, their interval is not 0 and a handler is set; any other
// state stops the worker (a worker at interval 0 would tick without a pause).
bool TimerTicks(bool enabled, std::uint32_t interval, bool hasHandler);

// The worker's priority, on the system's scale of thread priorities (THREAD_PRIORITY_*).
enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The system's value of a priority: -15 idle, -2 to 2, 15 time-critical.  TTimerEx's worker
// runs at the priority its ThreadPriority property names.
int TimerPriorityValue(TThreadPriority priority);

// The priority one step below `priority` (a value of that scale), for TScrTimer's worker, which
// must never slow the window thread that started it down; idle stays idle.
int TimerPriorityBelow(int priority);

// How long TScrTimer's worker waits after a tick: the tick was requested at tick count t0
// (milliseconds) and its handler had returned at t1.  The handler's time counts towards the
// interval, so a slow frame is followed at once by the next: the wait is what is left of the
// interval, 0 when the handler took as long or longer.  Tick counts wrap around after 49.7
// days; the difference is taken modulo 2^32.
//
// TTimerEx's worker instead sleeps the whole interval after each tick has run: its period is
// the interval plus the handler's time.
std::uint32_t TimerTickWait(std::uint32_t t0, std::uint32_t t1, std::uint32_t interval);
