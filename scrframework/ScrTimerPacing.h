#pragma once

#include <cstdint>

// The pacing rules of the framework's timer thread (TScrTimer), apart from the thread.

// The worker's answer to a tick request: the handler's window returns the interval to the
// next tick in milliseconds, read after the handler ran, or one of these two.
inline constexpr std::int32_t ScrTickAgain = -1;     // tick again at once
inline constexpr std::int32_t ScrTickHadEnough = -2;  // stop ticking

// How long the worker waits after a tick: the request was sent at tick count t0 (GetTickCount,
// milliseconds), answered with `interval` at t1.  The handler's time counts towards the
// interval: the wait is what is left of it, 0 when the handler took as long or longer.  Tick
// counts wrap around after 49.7 days; the difference is taken modulo 2^32.
std::uint32_t ScrTickWait(std::uint32_t t0, std::uint32_t t1, std::uint32_t interval);

// The thread priority one step below `priority` (a THREAD_PRIORITY_* value: -15 idle, -2 to
// 2, 15 time-critical), for a worker that must never slow the window thread down; idle stays
// idle.
int ScrPriorityBelow(int priority);
