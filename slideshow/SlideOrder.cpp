#include "SlideOrder.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "SlideFit.h"

TSlideOrder::TSlideOrder(int entryCount, bool random, std::uint32_t seed)
    : count_(std::max(entryCount, 0)), random_(random), generator_(seed) {}

void TSlideOrder::NewRound() {
  const int last = round_.empty() ? -1 : round_.back();
  round_.resize(std::size_t(count_));
  std::iota(round_.begin(), round_.end(), 0);
  if (random_) {
    std::shuffle(round_.begin(), round_.end(), generator_);
    // Swapping the repeated first entry with any other keeps the round a permutation.
    if (count_ > 1 && round_.front() == last) {
      std::uniform_int_distribution<std::size_t> other(1, round_.size() - 1);
      std::swap(round_.front(), round_[other(generator_)]);
    }
  }
  at_ = 0;
}

int TSlideOrder::Next() {
  if (count_ == 0) return -1;
  if (at_ >= round_.size()) NewRound();
  return round_[at_++];
}

std::vector<TSlideRect> SlideDealingOrder(std::vector<TSlideRect> monitors) {
  std::stable_sort(monitors.begin(), monitors.end(), [](const TSlideRect& a, const TSlideRect& b) {
    return a.Left != b.Left ? a.Left < b.Left : a.Top < b.Top;
  });
  return monitors;
}
