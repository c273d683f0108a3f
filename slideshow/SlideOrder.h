#pragma once

#include <cstdint>
#include <random>
#include <vector>

// The order in which the entries of the list are shown: the list's own order, looping, or
// random rounds.  A random round is a new permutation of every entry, so no entry comes twice
// before every entry has come; the next round never starts with the entry that ended the one
// before, so no entry comes twice in a row (with two entries or more).
//
// With several monitors the pictures are dealt from this one order: at each change the
// monitors, in their dealing order (SlideDealingOrder), take the next entries in turn.
class TSlideOrder {
public:
  // entryCount: entries of the list (0 gives -1 for ever).  seed: the random rounds' source.
  TSlideOrder(int entryCount, bool random, std::uint32_t seed);

  // The next entry, 0-based; -1 when there are none.
  int Next();

private:
  void NewRound();

  int count_;
  bool random_;
  std::mt19937 generator_;
  std::vector<int> round_;
  std::size_t at_ = 0;
};

struct TSlideRect;

// The monitors in the order pictures are dealt to them: as a person reads them, left to
// right, and top to bottom among monitors that start at the same left edge.  The rectangles
// are returned sorted; the window layer keeps its monitors in this order.
std::vector<TSlideRect> SlideDealingOrder(std::vector<TSlideRect> monitors);
