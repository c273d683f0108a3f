#include "SlideStage.h"

#include <algorithm>

TSlideStage::TSlideStage(std::vector<TSlideRect> areas, int entryCount, TSlideOrder order,
                         std::function<void(const TSlideJob&)> ask)
    : entryCount_(std::max(entryCount, 0)), order_(std::move(order)), ask_(std::move(ask)) {
  screens_.resize(areas.size());
  for (std::size_t i = 0; i < areas.size(); ++i) screens_[i].Area = areas[i];
}

void TSlideStage::Start() {
  for (int i = 0; i < ScreenCount(); ++i) Ask(i);
}

void TSlideStage::Ask(int index) {
  TScreen& screen = Screen(index);
  // Bounded: each draw either finds an entry that has not failed or is one of at most
  // entryCount draws that skip failed ones.
  for (int draw = 0; draw < entryCount_ && !NothingToShow(); ++draw) {
    const int entry = order_.Next();
    if (failed_.count(entry)) continue;
    if (screen.Shown && entry == screen.ShownEntry) {
      // Only this entry came up: the screen keeps its picture rather than holding it twice.
      screen.NextIsShown = true;
      return;
    }
    screen.Waiting = true;
    ask_({index, entry, screen.Area.Width, screen.Area.Height});
    return;
  }
}

void TSlideStage::AskNexts() {
  for (int i = 0; i < ScreenCount(); ++i) {
    const TScreen& screen = Screen(i);
    if (screen.Shown && !screen.Next && !screen.Waiting && !screen.NextIsShown) Ask(i);
  }
}

int TSlideStage::Held() const {
  int held = 0;
  for (const TScreen& screen : screens_) held += (screen.Shown ? 1 : 0) + (screen.Next ? 1 : 0);
  return held;
}

std::vector<int> TSlideStage::Deliver(TSlideDone done) {
  const int index = done.Job.Screen;
  if (index < 0 || index >= ScreenCount()) return {};
  TScreen& screen = Screen(index);
  screen.Waiting = false;
  if (!done.Picture) {
    failed_.insert(done.Job.Entry);
    Ask(index);
    return {};
  }
  std::vector<int> changed;
  if (!screen.Shown) {
    screen.Shown = std::move(done.Picture);
    screen.ShownEntry = done.Job.Entry;
    changed.push_back(index);
  } else {
    screen.Next = std::move(done.Picture);
    screen.NextEntry = done.Job.Entry;
  }
  peakHeld_ = std::max(peakHeld_, Held());
  if (changeDue_ && AllReady()) return ChangeNow();
  // The nexts are dealt together once every screen has its first picture, so that the
  // monitors take the order's entries in turn.
  const bool firstsIn = std::none_of(screens_.begin(), screens_.end(),
                                     [](const TScreen& s) { return !s.Shown && s.Waiting; });
  if (firstsIn) AskNexts();
  return changed;
}

bool TSlideStage::AllReady() const {
  return std::all_of(screens_.begin(), screens_.end(), [](const TScreen& s) {
    return !s.Shown || s.Next || s.NextIsShown;
  });
}

std::vector<int> TSlideStage::Change() {
  changeDue_ = true;
  if (AllReady()) return ChangeNow();
  return {};
}

std::vector<int> TSlideStage::ChangeNow() {
  changeDue_ = false;
  std::vector<int> changed;
  for (int i = 0; i < ScreenCount(); ++i) {
    TScreen& screen = Screen(i);
    screen.NextIsShown = false;
    if (!screen.Next) continue;
    // The old picture goes before the new one takes its place: never three at once.
    screen.Shown.reset();
    screen.Shown = std::move(screen.Next);
    screen.ShownEntry = screen.NextEntry;
    screen.NextEntry = -1;
    changed.push_back(i);
  }
  AskNexts();
  return changed;
}
