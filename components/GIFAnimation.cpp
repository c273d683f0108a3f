#include "GIFAnimation.h"

#include "FileAccess.h"

#include <algorithm>
#include <new>

namespace {

// The shortest time a frame is shown at speed 100, whatever its delay says: many files give
// 0 or 10 ms and mean "as fast as sensible".
constexpr uint32_t GIFMinDelay = 50;

}  // namespace

bool TGIFAnimation::LoadFromFile(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  try {
    if (!FileReadAll(fileName, bytes)) {
      lastError_ = "cannot open " + fileName;
      return false;
    }
  } catch (const std::bad_alloc&) {
    Fail(fileName + ": out of memory while reading");
    return false;
  }
  return LoadFromBytes(bytes);
}

bool TGIFAnimation::LoadFromBytes(std::span<const uint8_t> bytes) {
  empty_ = true;
  timerEnabled_ = false;
  currentFrame_ = 1;
  playsBegun_ = 1;
  firstTickPending_ = true;
  lastError_.clear();
  try {
    data_.assign(bytes.begin(), bytes.end());
    std::string error;
    if (!GIFParse(bytes, LoadOptions, picture_, error)) {
      Fail(error);
      return false;
    }
    canvas_ = TGIFCanvas(picture_.Width, picture_.Height, picture_.HasTransparency);
  } catch (const std::bad_alloc&) {
    Fail("out of memory while loading");
    return false;
  }
  empty_ = false;
  timerInterval_ = 1;
  Raise(OnChanging);
  canvas_.DrawFrame(Frame(1));
  Raise(OnChange);
  Raise(OnInvalidate);
  return true;
}

void TGIFAnimation::Fail(const std::string& error) {
  Clear();
  lastError_ = error;
}

void TGIFAnimation::Clear() {
  picture_ = TGIFPicture{};
  canvas_ = TGIFCanvas{};
  data_.clear();
  lastError_.clear();
  empty_ = true;
  timerEnabled_ = false;
  currentFrame_ = 1;
  playsBegun_ = 1;
  firstTickPending_ = true;
  Raise(OnInvalidate);
}

void TGIFAnimation::AssignTo(TGIFBitmap8& target) const {
  target = empty_ ? TGIFBitmap8{} : picture_.Frames.front().Picture;
}

bool TGIFAnimation::Ended() const {
  return !loop_ && picture_.LoopCount > 0 && playsBegun_ > picture_.LoopCount;
}

uint32_t TGIFAnimation::IntervalOf(int frame) const {
  // A frame number past the end (an animation that stopped after its last frame) times as
  // frame 1, which the next tick shows.
  const int n = frame >= 1 && frame <= FrameCount() ? frame : 1;
  const uint64_t delay = std::max(picture_.Frames[size_t(n - 1)].Delay, GIFMinDelay);
  return uint32_t(std::max<uint64_t>(delay * 100 / uint64_t(speed_), 1));
}

void TGIFAnimation::Timer() {
  if (empty_ || !animate_) return;
  const int n = FrameCount();
  if (currentFrame_ > n || currentFrame_ < 1) currentFrame_ = 1;
  Raise(OnChanging);
  if (firstTickPending_) {
    firstTickPending_ = false;   // frame 1 was drawn by the load
  } else {
    canvas_.DisposeFrame(Frame(currentFrame_ == 1 ? n : currentFrame_ - 1));
    canvas_.DrawFrame(Frame(currentFrame_));
    Raise(OnRepaint);
  }
  timerInterval_ = IntervalOf(currentFrame_);
  ++currentFrame_;
  const bool wrapped = currentFrame_ > n;
  if (wrapped) {
    if (!loop_ && picture_.LoopCount > 0) {
      // The frame number stays past the end; if the timer fires again the next tick starts
      // over at frame 1.
      ++playsBegun_;
      timerEnabled_ = timerEnabled_ && picture_.LoopCount >= playsBegun_;
    } else {
      currentFrame_ = 1;
    }
  }
  Raise(OnChange);
  if (wrapped) Raise(OnWrapAnimation);
}

void TGIFAnimation::Painted() { timerEnabled_ = ShouldRun(); }

void TGIFAnimation::SetAnimate(bool value) {
  animate_ = value;
  playsBegun_ = 1;
  if (empty_) return;
  if (value) {
    timerInterval_ = IntervalOf(currentFrame_);
    timerEnabled_ = ShouldRun();
  } else if (currentFrame_ >= 2) {
    canvas_.DisposeFrame(Frame(currentFrame_ - 1));
    currentFrame_ = 1;
    canvas_.DrawFrame(Frame(1));
    Raise(OnInvalidate);
  }
}

void TGIFAnimation::SetLoop(bool value) {
  const bool wasEnded = Ended();
  loop_ = value;
  if (value && wasEnded && animate_ && !empty_) {
    currentFrame_ = 1;
    playsBegun_ = 1;
    timerInterval_ = IntervalOf(1);
    timerEnabled_ = ShouldRun();
  }
}

void TGIFAnimation::SetSpeed(int value) {
  speed_ = std::max(value, 1);
  if (!empty_ && Animated() && animate_) timerInterval_ = 1;
}

void TGIFAnimation::SetCurrentFrame(int value) {
  if (empty_ || value < 1 || value > FrameCount()) return;
  Raise(OnChanging);
  // After the last frame of a finished animation the old value names no frame: nothing to
  // dispose of.
  if (currentFrame_ >= 1 && currentFrame_ <= FrameCount()) canvas_.DisposeFrame(Frame(currentFrame_));
  currentFrame_ = value;
  canvas_.DrawFrame(Frame(value));
  Raise(OnRepaint);
  Raise(OnChange);
}
