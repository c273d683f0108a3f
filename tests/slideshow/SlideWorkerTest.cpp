// The decoding thread: results in the order asked, failures as words, and a decode nobody
// waits for abandoned when the saver ends.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "SlideWorker.h"

namespace {

// Counts OnDone calls and lets the test wait for a number of them.
struct TDoneSignal {
  std::mutex lock;
  std::condition_variable changed;
  int count = 0;
  void Raise() {
    { const std::lock_guard<std::mutex> hold(lock); ++count; }
    changed.notify_all();
  }
  void WaitFor(int wanted) {
    std::unique_lock<std::mutex> hold(lock);
    ASSERT_TRUE(changed.wait_for(hold, std::chrono::seconds(30), [&] { return count >= wanted; }));
  }
};

}  // namespace

TEST(SlideWorker, DecodesInTheOrderAskedOffTheCallersThread) {
  TDoneSignal signal;
  const std::thread::id caller = std::this_thread::get_id();
  std::atomic<bool> ranElsewhere{true};
  TSlideWorker worker(
      [&](const TSlideJob& job, const std::function<bool()>&) {
        if (std::this_thread::get_id() == caller) ranElsewhere = false;
        if (job.Entry == 2) throw std::runtime_error("Damaged archive member c.jpg");
        TSlidePicture picture;
        picture.Width = job.Width;
        return picture;
      },
      [&] { signal.Raise(); });
  for (int entry = 0; entry < 4; ++entry) worker.Ask({entry % 2, entry, 100 + entry, 50});
  signal.WaitFor(4);
  const std::vector<TSlideDone> done = worker.Take();
  ASSERT_EQ(done.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(done[std::size_t(i)].Job.Entry, i);
    EXPECT_EQ(done[std::size_t(i)].Picture != nullptr, i != 2);
  }
  EXPECT_EQ(done[1].Picture->Width, 101);
  EXPECT_EQ(done[2].Error, "Damaged archive member c.jpg");
  EXPECT_TRUE(worker.Take().empty());
  EXPECT_TRUE(ranElsewhere);
}

TEST(SlideWorker, EndingAbandonsTheDecodeUnderWayAndTheJobsWaiting) {
  std::atomic<bool> started{false}, sawCancel{false};
  std::atomic<int> decodes{0};
  {
    TSlideWorker worker(
        [&](const TSlideJob&, const std::function<bool()>& cancelled) -> TSlidePicture {
          ++decodes;
          started = true;
          // A decode that would outlast any test unless it is told to stop.
          for (int step = 0; step < 600000; ++step) {
            if (cancelled()) {
              sawCancel = true;
              throw std::runtime_error("abandoned");
            }
            std::this_thread::sleep_for(std::chrono::microseconds(100));
          }
          return {};
        },
        {});
    for (int entry = 0; entry < 3; ++entry) worker.Ask({0, entry, 10, 10});
    while (!started) std::this_thread::yield();
  }
  EXPECT_TRUE(sawCancel);
  EXPECT_EQ(decodes, 1) << "jobs still waiting were decoded after the end";
}
