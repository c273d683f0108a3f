// TScrTimer and TThreadMiser under Wine.  The checks are on order, counts and on what the
// pace is measured against (the handler's end), with bounds a slow machine does not miss:
// never on the exact length of an interval.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "Application.h"
#include "ScrControl.h"
#include "ScrKitWindowsSupport.h"
#include "ScrTimer.h"

namespace {

double NowMs() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Every line of `lines` matching one of the patterns, as the index of the pattern.
std::vector<int> Matching(const std::vector<std::string>& lines,
                          const std::vector<std::string>& patterns) {
  std::vector<int> found;
  for (const std::string& line : lines) {
    for (size_t i = 0; i < patterns.size(); ++i) {
      if (std::regex_match(line, std::regex(patterns[i]))) found.push_back(static_cast<int>(i));
    }
  }
  return found;
}

void DestroyMisers() {
  for (TComponent* component : Application().Components())
    if (dynamic_cast<TThreadMiser*>(component)) delete component;
}

class ScrTimerWindows : public ::testing::Test {
protected:
  void SetUp() override { EnsureSetUp(); }
  void TearDown() override { DestroyMisers(); }
};

// The pause after a tick is what is left of the interval once the handler has run: about
// 10 ms after a 30 ms handler at Interval 40, none after a 60 ms one.  Measured from the end
// of one handler to the start of the next; the median keeps a stray slow tick out.
TEST_F(ScrTimerWindows, TheHandlersTimeCountsTowardsTheInterval) {
  const struct {
    DWORD handlerMs;
    double medianPauseBelowMs;  // the interval alone would give a pause of 40 ms
  } rows[] = {{30, 25}, {60, 15}};
  for (const auto& row : rows) {
    TScrTimer timer(nullptr);
    timer.SetInterval(40);
    std::vector<double> starts, ends;
    DWORD thread = 0;
    timer.SetOnTimer([&](TComponent* sender) {
      EXPECT_EQ(sender, &timer);
      thread = GetCurrentThreadId();
      starts.push_back(NowMs());
      Sleep(row.handlerMs);
      ends.push_back(NowMs());
    });
    ASSERT_TRUE(PumpUntil([&] { return starts.size() >= 12; }));
    EXPECT_EQ(thread, GetCurrentThreadId()) << "ticks run on the window thread";
    std::vector<double> pauses;
    for (size_t i = 1; i < starts.size(); ++i) pauses.push_back(starts[i] - ends[i - 1]);
    std::nth_element(pauses.begin(), pauses.begin() + pauses.size() / 2, pauses.end());
    EXPECT_LT(pauses[pauses.size() / 2], row.medianPauseBelowMs) << row.handlerMs << " ms handler";
  }
}

// A shorter interval wakes the worker at once, not after the second it was waiting for.
TEST_F(ScrTimerWindows, ANewIntervalTakesEffectAtOnce) {
  TScrTimer timer(nullptr);
  timer.SetInterval(1000);
  int ticks = 0;
  timer.SetOnTimer([&](TComponent*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));  // the first tick comes at once
  timer.SetInterval(10);
  // With the old interval a third tick would take two seconds.
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }, 900)) << ticks << " ticks";
}

// The timer ticks only with Enabled, a handler and an interval; taking any of them away stops
// its worker, which ends by itself, and giving it back starts a new one.
TEST_F(ScrTimerWindows, WorkersStartAndStopWithTheirConditions) {
  TScrTimer timer(nullptr);
  timer.SetName("Pacer");
  int ticks = 0;
  auto count = [&](TComponent*) { ++ticks; };
  {
    TTraceMark mark;
    timer.SetInterval(0);
    timer.SetOnTimer(count);
    EXPECT_FALSE(timer.Running()) << "interval 0 starts none";
    EXPECT_TRUE(mark.Lines().empty());
  }
  TTraceMark mark;
  timer.SetInterval(5);  // back from 0: starts
  ASSERT_TRUE(timer.Running());
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 2; }));
  timer.SetOnTimer(nullptr);
  EXPECT_FALSE(timer.Running());
  const int stopped = ticks;
  PumpFor(100);
  EXPECT_EQ(ticks, stopped) << "ticks after the handler went";
  timer.SetOnTimer(count);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= stopped + 2; }));
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  PumpFor(50);  // the second worker's last lines

  const std::vector<std::string> patterns = {
      R"(ScrTimer Pacer \d+ has been created! \*\*\*)",
      R"(Thread func \d+: starting\. \+\+\+)",
      R"(ScrTimer Pacer stop: destroying timer\.\.\.)",
      R"(ScrTimer Pacer stop: we have left thread \d+ to its own devices\. \*\*\*)",
      R"(Thread \d+ has got a quit message\.)",
      R"(Thread \d+ coming to an end\. Deleted thread-data\. \+\+\+)",
  };
  const std::vector<int> seen = Matching(mark.Lines(), patterns);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 2) << "two workers";
  for (int pattern = 1; pattern < 6; ++pattern) {
    EXPECT_EQ(std::count(seen.begin(), seen.end(), pattern), 2) << patterns[pattern];
  }
  // Each stop comes before its worker's quit, and each worker ends after its quit.
  std::vector<int> stops;
  for (int p : seen)
    if (p == 2 || p == 4 || p == 5) stops.push_back(p);
  EXPECT_EQ(stops, (std::vector<int>{2, 4, 5, 2, 4, 5}));
}

// At the application's end each miser destroys the timer it still guards, which stops the
// worker, and waits for the worker to end; a timer destroyed before is forgotten by its miser.
TEST_F(ScrTimerWindows, NoWorkerOutlivesTheApplication) {
  TComponent form(nullptr);
  auto* kept = new TScrTimer(&form);  // owned by the form
  kept->SetName("Kept");
  auto* gone = new TScrTimer(&form);
  gone->SetName("Gone");
  int ticks = 0;
  kept->SetOnTimer([&](TComponent*) { ++ticks; });
  gone->SetOnTimer([&](TComponent*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 4; }));
  delete gone;
  EXPECT_EQ(form.Components(), std::vector<TComponent*>{kept});

  TTraceMark mark;
  DestroyMisers();  // as the application's destruction does
  EXPECT_TRUE(form.Components().empty()) << "the miser destroyed the kept timer";
  const std::vector<std::string> patterns = {
      R"(ThreadMiser\d+: deleting the ScrTimer first\.)",
      R"(ScrTimer Kept stop: destroying timer\.\.\.)",
      R"(Thread \d+ coming to an end\. Deleted thread-data\. \+\+\+)",
      R"(ThreadMiser\d+: Not all threads have terminated: \d+)",
  };
  const std::vector<int> seen = Matching(mark.Lines(), patterns);
  // One miser deletes its timer; both threads have ended when the misers are gone (the
  // second may have ended before the mark).
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen[0], 0);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 0), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 1), 1);
  EXPECT_GE(std::count(seen.begin(), seen.end(), 2), 1);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), 3), 0);
  const int before = ticks;
  PumpFor(50);
  EXPECT_EQ(ticks, before);
}

}  // namespace
