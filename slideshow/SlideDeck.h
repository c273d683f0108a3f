#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SlidePicture.h"

// The order of the slideshow and the pictures it holds.  Entries are shown in the list's
// order, looping; an entry whose picture cannot be had is skipped.  At most two decoded
// pictures exist at any time: the one on screen and the next, decoded ahead (PrepareNext)
// while the current one shows, so that Advance only swaps them.
class TSlideDeck {
public:
  // Returns the decoded picture of entry `index`; throws (any std::exception) when it cannot
  // be had, and the entry is then skipped.  Called only from Start, PrepareNext and Advance,
  // never while two pictures are held.
  using TDecoder = std::function<TSlidePicture(int index)>;

  TSlideDeck(int entryCount, TDecoder decoder);

  // Decodes the first showable entry, trying each entry once from entry 0.  False when none
  // can be shown (also for an empty list).
  bool Start();

  // Decodes, if not done yet, the entry after the current one that can be shown, going round
  // the list once at most (so a list of n entries costs at most n - 1 decodes).  Finds none
  // other than the current entry when it is the only showable one; then Advance changes
  // nothing (a single showable entry is never held twice).
  void PrepareNext();

  // Moves to the next picture (PrepareNext first when it has not run): the current one is
  // released, then the prepared one takes its place.  False when there is no other picture
  // to show, and the current one stays.
  bool Advance();

  const TSlidePicture* Current() const { return current_.get(); }
  TSlidePicture* Current() { return current_.get(); }
  int CurrentIndex() const { return currentIndex_; }   // -1 before a successful Start
  // Decoded pictures held now: 0, 1 or 2.
  int Held() const { return (current_ ? 1 : 0) + (next_ ? 1 : 0); }
  // The most pictures ever held at once, for the budget's tests.
  int PeakHeld() const { return peakHeld_; }

private:
  std::unique_ptr<TSlidePicture> TryDecode(int index);

  int entryCount_;
  TDecoder decoder_;
  std::unique_ptr<TSlidePicture> current_, next_;
  int currentIndex_ = -1;
  int nextIndex_ = -1;
  bool prepared_ = false;
  int peakHeld_ = 0;
};
