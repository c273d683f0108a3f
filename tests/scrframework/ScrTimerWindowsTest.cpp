// TScrTimer and TThreadMiser under Wine.  The checks are on order, counts and threads,
// each taken once the event that settles it has come (a tick, a worker's last trace line):
// never on the length of an interval, which bench/ScrTimerBench.cpp measures.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "Application.h"
#include "ScrControl.h"
#include "ScrKitWindowsSupport.h"
#include "ScrTimer.h"

namespace {

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

// Pumps until `count` trace lines since `mark` match `pattern`.
bool PumpUntilLines(const TTraceMark& mark, const std::string& pattern, long count) {
  const std::vector<std::string> patterns = {pattern};
  return PumpUntil([&] {
    const std::vector<int> seen = Matching(mark.Lines(), patterns);
    return static_cast<long>(seen.size()) >= count;
  });
}

const char* const WorkerEnd = R"(Thread \d+ coming to an end\. Deleted thread-data\. \+\+\+)";

void DestroyMisers() {
  for (TComponent* component : Application().Components())
    if (dynamic_cast<TThreadMiser*>(component)) delete component;
}

class ScrTimerWindows : public ::testing::Test {
protected:
  void SetUp() override { EnsureSetUp(); }
  void TearDown() override { DestroyMisers(); }
};

// Ticks run on the window thread, one after the other: a handler that lets messages through
// is not entered again meanwhile, since the worker waits for the tick's end.
TEST_F(ScrTimerWindows, TicksRunOneAtATimeOnTheWindowThread) {
  TScrTimer timer(nullptr);
  timer.SetInterval(1);
  const DWORD windowThread = GetCurrentThreadId();
  int ticks = 0;
  bool inside = false;
  timer.SetOnTimer([&](TComponent* sender) {
    EXPECT_EQ(sender, &timer);
    EXPECT_EQ(GetCurrentThreadId(), windowThread) << "ticks run on the window thread";
    EXPECT_FALSE(inside) << "a tick inside a tick";
    inside = true;
    PumpPosted();
    inside = false;
    ++ticks;
  });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 6; }));
}

// A shorter interval wakes the worker at once, not after the day it was waiting for.
TEST_F(ScrTimerWindows, ANewIntervalTakesEffectAtOnce) {
  TScrTimer timer(nullptr);
  timer.SetInterval(24 * 3600 * 1000);
  int ticks = 0;
  timer.SetOnTimer([&](TComponent*) { ++ticks; });
  ASSERT_TRUE(PumpUntil([&] { return ticks >= 1; }));  // the first tick comes at once
  timer.SetInterval(10);
  // With the old interval a second tick would take a day.
  EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; })) << ticks << " ticks";
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
  // Once the worker has ended and what it posted has been handled, no tick can come.
  ASSERT_TRUE(PumpUntilLines(mark, WorkerEnd, 1));
  ASSERT_TRUE(PumpPosted());
  EXPECT_EQ(ticks, stopped) << "ticks after the handler went";
  timer.SetOnTimer(count);
  ASSERT_TRUE(PumpUntil([&] { return ticks >= stopped + 2; }));
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  ASSERT_TRUE(PumpUntilLines(mark, WorkerEnd, 2));  // the second worker's last line

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
  const TTraceMark beforeGone;
  delete gone;
  EXPECT_EQ(form.Components(), std::vector<TComponent*>{kept});
  // Its worker ends on its own time; once it has, only the kept timer's lines can follow.
  ASSERT_TRUE(PumpUntilLines(beforeGone, WorkerEnd, 1));

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
  // One miser deletes its timer, which stops, and its worker has ended when the misers are
  // gone.
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2}));
  const int before = ticks;
  ASSERT_TRUE(PumpPosted());  // the workers have ended: whatever they posted is all there is
  EXPECT_EQ(ticks, before);
}

}  // namespace
