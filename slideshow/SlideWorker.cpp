#include "SlideWorker.h"

#include <exception>

TSlideWorker::TSlideWorker(TDecode decode, std::function<void()> onDone)
    : decode_(std::move(decode)), onDone_(std::move(onDone)), thread_([this] { Run(); }) {}

TSlideWorker::~TSlideWorker() {
  {
    const std::lock_guard<std::mutex> lock(lock_);
    stopping_ = true;
    waiting_.clear();
  }
  abandon_ = true;
  wake_.notify_all();
  thread_.join();
}

void TSlideWorker::Ask(const TSlideJob& job) {
  {
    const std::lock_guard<std::mutex> lock(lock_);
    waiting_.push_back(job);
  }
  wake_.notify_all();
}

std::vector<TSlideDone> TSlideWorker::Take() {
  const std::lock_guard<std::mutex> lock(lock_);
  std::vector<TSlideDone> taken;
  taken.swap(done_);
  return taken;
}

void TSlideWorker::Run() {
  const std::function<bool()> cancelled = [this] { return abandon_.load(); };
  for (;;) {
    TSlideJob job;
    {
      std::unique_lock<std::mutex> lock(lock_);
      wake_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
      if (stopping_) return;
      job = waiting_.front();
      waiting_.pop_front();
    }
    TSlideDone done;
    done.Job = job;
    try {
      done.Picture = std::make_unique<TSlidePicture>(decode_(job, cancelled));
    } catch (const std::exception& error) {
      done.Error = error.what();
    }
    {
      const std::lock_guard<std::mutex> lock(lock_);
      if (stopping_) return;  // nobody takes it any more
      done_.push_back(std::move(done));
    }
    if (onDone_) onDone_();
  }
}
