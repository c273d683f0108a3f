#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "GIFCanvas.h"
#include "GIFPicture.h"

// The windowless heart of the animated GIF control: the loaded picture with its composed
// frame, the animation step its timer drives, and the rules that arm the timer.  The window
// layer owns one, paints Canvas().Picture() and Canvas().Mask(), copies TimerInterval() and
// TimerEnabled() to its timer after every call, and forwards the timer's ticks to Timer().
//
// Frames are numbered from 1.  CurrentFrame() is the frame the next tick shows; while the
// animation runs, the frame on screen is the one before it.
class TGIFAnimation {
public:
  // The animation has no sender to pass: the window layer's control raises its own
  // TNotifyEvent from these.
  using TAnimationEvent = std::function<void()>;

  // Raised before and after every change of the shown frame.
  TAnimationEvent OnChanging, OnChange;
  // Raised each time the animation passes its last frame.
  TAnimationEvent OnWrapAnimation;
  // The window layer's side: OnInvalidate asks for a paint later, OnRepaint for one now (the
  // animation's flicker-free repaint).
  TAnimationEvent OnInvalidate, OnRepaint;

  // Read by the next load.
  TGIFLoadOptions LoadOptions;

  // Loads a GIF file held in memory.  On success the picture shows frame 1, the timer
  // interval is 1 ms and the timer stays off until the next Painted().  On failure the
  // control is cleared (empty, OnInvalidate raised) and LastError() says why.  Never throws.
  bool LoadFromBytes(std::span<const uint8_t> bytes);

  // Reads the whole file and loads it.  A file that cannot be opened returns false and
  // leaves everything as it was; any other failure clears the control as LoadFromBytes does.
  bool LoadFromFile(const std::string& fileName);

  // Empties the control: no picture, timer off, OnInvalidate raised.
  void Clear();

  bool Empty() const { return empty_; }
  bool Animated() const { return picture_.Frames.size() > 1; }
  const TGIFPicture& Picture() const { return picture_; }
  const TGIFCanvas& Canvas() const { return canvas_; }
  // The bytes of the loaded file (the control stores them with its form).
  const std::vector<uint8_t>& Data() const { return data_; }
  const std::string& LastError() const { return lastError_; }
  int FrameCount() const { return int(picture_.Frames.size()); }

  // A copy of frame 1's picture with its colour table; an empty bitmap when nothing is loaded.
  void AssignTo(TGIFBitmap8& target) const;

  bool Animate() const { return animate_; }
  // Every assignment resets the plays begun to 1.  On: the timer interval comes from the
  // current frame's delay and the timer is armed as Painted() would.  Off while the current
  // frame is 2 or later: the frame before it is disposed of and frame 1 drawn and invalidated.
  void SetAnimate(bool value);

  bool Loop() const { return loop_; }
  // Repeat for ever whatever the file says.  Switched on after the animation has ended, with
  // Animate on, it restarts from frame 1.
  void SetLoop(bool value);

  int Speed() const { return speed_; }
  // Playback speed in percent; values below 1 become 1.  While animating, the timer interval
  // drops to 1 ms so the new speed applies at once.
  void SetSpeed(int value);

  int CurrentFrame() const { return currentFrame_; }
  // Shows frame `value` at once (OnChanging, dispose of the old value's frame, draw, OnRepaint,
  // OnChange).  Values outside 1 to FrameCount() do nothing.
  void SetCurrentFrame(int value);

  int PlaysBegun() const { return playsBegun_; }
  // The animation has ended: Loop off, a loop count above 0, and more plays begun than it.
  bool Ended() const;

  uint32_t TimerInterval() const { return timerInterval_; }   // milliseconds
  bool TimerEnabled() const { return timerEnabled_; }

  // The animation step, run on every timer tick.
  void Timer();
  // Called after every paint: arms the timer exactly when the picture is loaded and animated,
  // Animate is on and the animation has not ended.
  void Painted();

private:
  void Fail(const std::string& error);
  void Raise(const TAnimationEvent& event) const {
    if (event) event();
  }
  TGIFFrame& Frame(int number) { return picture_.Frames[size_t(number - 1)]; }
  // max(max(delay, 50) × 100 / Speed, 1): every frame shows for at least 50 ms at speed 100.
  uint32_t IntervalOf(int frame) const;
  bool ShouldRun() const { return !empty_ && Animated() && animate_ && !Ended(); }

  TGIFPicture picture_;
  TGIFCanvas canvas_;
  std::vector<uint8_t> data_;
  std::string lastError_;
  bool empty_ = true;
  bool animate_ = false;
  bool loop_ = false;
  int speed_ = 100;
  int currentFrame_ = 1;
  int playsBegun_ = 1;
  bool firstTickPending_ = true;
  uint32_t timerInterval_ = 1000;
  bool timerEnabled_ = false;
};
