#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "SlidePicture.h"

// One picture asked of the worker: entry `Entry` of the list for screen `Screen`, to be shown
// in an area of Width × Height pixels.
struct TSlideJob {
  int Screen = 0;
  int Entry = 0;
  int Width = 0;
  int Height = 0;
  bool operator==(const TSlideJob&) const = default;
};

// A job done: the picture, or null with the reason it cannot be shown.
struct TSlideDone {
  TSlideJob Job;
  std::unique_ptr<TSlidePicture> Picture;
  std::string Error;
};

// The thread that reads and decodes pictures, so that the window thread never does: input,
// painting and a GIF's animation go on while a large photo decodes.  Jobs are done one at a
// time, in the order asked.  The window thread asks (Ask), is told that something is done
// (OnDone, called on the worker thread: post a message, nothing more) and takes the results
// (Take).
//
// A job nobody waits for any more is abandoned: destroying the worker stops the decode under
// way (the decode function sees `cancelled` return true and gives up within milliseconds),
// drops the jobs waiting and joins the thread.
class TSlideWorker {
public:
  // Decodes a job; throws (any std::exception) when the picture cannot be had.  Runs on the
  // worker thread; `cancelled` may be asked at any time and as often as wanted.
  using TDecode = std::function<TSlidePicture(const TSlideJob& job, const std::function<bool()>& cancelled)>;

  TSlideWorker(TDecode decode, std::function<void()> onDone);
  ~TSlideWorker();
  TSlideWorker(const TSlideWorker&) = delete;
  TSlideWorker& operator=(const TSlideWorker&) = delete;

  void Ask(const TSlideJob& job);
  // The jobs done since the last call, in the order they were done.
  std::vector<TSlideDone> Take();

private:
  void Run();

  TDecode decode_;
  std::function<void()> onDone_;
  std::mutex lock_;
  std::condition_variable wake_;
  std::deque<TSlideJob> waiting_;
  std::vector<TSlideDone> done_;
  bool stopping_ = false;            // under lock_
  std::atomic<bool> abandon_{false};  // what `cancelled` answers
  std::thread thread_;     // last: starts after everything it uses exists
};
