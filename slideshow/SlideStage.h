#pragma once

#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "SlideFit.h"
#include "SlideOrder.h"
#include "SlideWorker.h"

// The monitors of the slideshow and what each shows.  Each screen holds at most two pictures,
// the one it shows and the next; pictures are dealt from one order (TSlideOrder) to the
// screens in their dealing order, and every screen changes at the same moment.  The stage
// decides; the window layer asks the decodes (through `ask`), brings back what was decoded
// (Deliver), ticks the interval (Change) and paints the screens that changed.
class TSlideStage {
public:
  struct TScreen {
    TSlideRect Area;                         // in the window's client coordinates
    std::unique_ptr<TSlidePicture> Shown;    // null until the first picture arrives
    std::unique_ptr<TSlidePicture> Next;     // decoded ahead, shown at the next change
    int ShownEntry = -1;
    int NextEntry = -1;
    bool Waiting = false;                    // a decode asked and not back yet
    bool NextIsShown = false;                // the next entry is the one shown: nothing to change
  };

  // areas: the screens in dealing order (SlideDealingOrder).  entryCount: entries of the list.
  TSlideStage(std::vector<TSlideRect> areas, int entryCount, TSlideOrder order,
              std::function<void(const TSlideJob&)> ask);

  // Asks every screen's first picture, in dealing order.
  void Start();

  // A decode came back.  A first picture is shown at once; a later one waits for the change.
  // An entry that could not be decoded is never asked again and the screen asks the next
  // entry instead.  Returns the screens whose shown picture changed.
  std::vector<int> Deliver(TSlideDone done);

  // The interval has passed.  When every screen that shows a picture has its next one, all
  // change now; otherwise as soon as the last one arrives (that Deliver returns them).  Returns
  // the screens whose shown picture changed.
  std::vector<int> Change();

  // Every entry has failed (also for an empty list): there is nothing to show.
  bool NothingToShow() const { return entryCount_ == 0 || int(failed_.size()) >= entryCount_; }

  int ScreenCount() const { return int(screens_.size()); }
  const TScreen& Screen(int index) const { return screens_[std::size_t(index)]; }
  TScreen& Screen(int index) { return screens_[std::size_t(index)]; }
  // Pictures held now over all screens, and the most ever held (the memory budget's test).
  int Held() const;
  int PeakHeld() const { return peakHeld_; }

private:
  void Ask(int screen);
  // Asks the next picture of every screen that shows one and has none coming, in dealing order.
  void AskNexts();
  bool AllReady() const;
  std::vector<int> ChangeNow();

  std::vector<TScreen> screens_;
  int entryCount_;
  TSlideOrder order_;
  std::function<void(const TSlideJob&)> ask_;
  std::set<int> failed_;
  bool changeDue_ = false;
  int peakHeld_ = 0;
};
