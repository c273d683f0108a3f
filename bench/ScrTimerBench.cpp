// The animation timer's pacing under a real message loop: the pause between the end of one
// handler and the start of the next, with handlers of 30 and 60 ms at Interval 40.  The
// handler's time counts towards the interval, so the goal is a pause of about 10 ms after the
// 30 ms handler (the interval alone would give 40) and next to none after the 60 ms one.
// Reported as the median pause of 12 ticks (counter pause_ms), which keeps a stray slow tick
// out; the time column is the whole tick.
#include <benchmark/benchmark.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "../tests/support/MessagePump.h"
#include "Application.h"
#include "ScrTimer.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Busy for `ms`: the handler's work, which a sleep would not stand for (it yields the CPU).
void Work(double ms) {
  const auto end = Clock::now() + std::chrono::duration<double, std::milli>(ms);
  while (Clock::now() < end) {
  }
}

void BM_TimerPause(benchmark::State& state) {
  static const bool initialized = [] {
    Application().Initialize();
    return true;
  }();
  (void)initialized;
  const double handlerMs = static_cast<double>(state.range(0));
  std::vector<double> pauses;
  for (auto _ : state) {
    TScrTimer timer(nullptr);
    timer.SetInterval(40);
    std::vector<Clock::time_point> starts, ends;
    timer.SetOnTimer([&](TComponent*) {
      starts.push_back(Clock::now());
      Work(handlerMs);
      ends.push_back(Clock::now());
    });
    const auto begin = Clock::now();
    // Ticks arrive as messages the worker sends, which a blocking GetMessage dispatches
    // without ever returning; the tests' pump peeks, dispatches them and comes back.
    PumpUntil([&] { return starts.size() >= 13; });
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - begin).count() / 13);
    timer.SetOnTimer(nullptr);
    for (size_t i = 1; i < starts.size(); ++i) pauses.push_back(Milliseconds(starts[i] - ends[i - 1]));
  }
  std::nth_element(pauses.begin(), pauses.begin() + pauses.size() / 2, pauses.end());
  state.counters["pause_ms"] = pauses[pauses.size() / 2];
}

}  // namespace

BENCHMARK(BM_TimerPause)->Name("ScrTimer/PauseAfterHandler")->Arg(30)->Arg(60)
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);

BENCHMARK_MAIN();
