#include "SlideDeck.h"

#include <algorithm>
#include <exception>

TSlideDeck::TSlideDeck(int entryCount, TDecoder decoder)
    : entryCount_(std::max(entryCount, 0)), decoder_(std::move(decoder)) {}

std::unique_ptr<TSlidePicture> TSlideDeck::TryDecode(int index) {
  try {
    auto picture = std::make_unique<TSlidePicture>(decoder_(index));
    peakHeld_ = std::max(peakHeld_, Held() + 1);
    return picture;
  } catch (const std::exception&) {
    return nullptr;  // the entry is skipped: nobody could read a message on the saver
  }
}

bool TSlideDeck::Start() {
  current_.reset();
  next_.reset();
  prepared_ = false;
  currentIndex_ = -1;
  for (int index = 0; index < entryCount_; ++index) {
    current_ = TryDecode(index);
    if (current_) {
      currentIndex_ = index;
      return true;
    }
  }
  return false;
}

void TSlideDeck::PrepareNext() {
  if (prepared_ || !current_) return;
  prepared_ = true;
  nextIndex_ = -1;
  // Bounded by the list: each other entry is tried once.
  for (int step = 1; step < entryCount_; ++step) {
    const int index = (currentIndex_ + step) % entryCount_;
    next_ = TryDecode(index);
    if (next_) {
      nextIndex_ = index;
      return;
    }
  }
}

bool TSlideDeck::Advance() {
  PrepareNext();
  prepared_ = false;
  if (!next_) return false;
  current_.reset();
  current_ = std::move(next_);
  currentIndex_ = nextIndex_;
  return true;
}
