#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "View.h"

// What the full-screen saver does at each timer tick, on any canvas: the first tick places
// the image and starts recording, every tick steps one frame, and after recording the image
// floats and bounces.  The saver window (TSaverForm) runs it inside its graph view; the
// tests and benchmarks on a software canvas.

// A rectangle of the view in its own pixels.
struct TSaverArea {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TSaverArea&) const = default;
};

// The three values every saver window of a process shares and never resets: the frame
// sequence of a second window would go on where the first one stopped.
struct TSaverSequence {
  int FramePos = 0;       // 0-based frame of the next tick
  int Direction = 1;      // +1 or -1
  bool FirstTick = true;  // the next tick places the image and sets the graph
};

// The movement of the image per tick, pixels per axis.
struct TSaverSpeed {
  int DeltaX = 0, DeltaY = 0;
};

// A source of non-negative pseudo-random numbers (std::rand in the program).
using TSaverRandom = std::function<int()>;

// Floating on: each speed is m × d with m = (random mod 3) + 1 and d = +1 for an odd next
// random number, else −1 (so one of −3, −2, −1, 1, 2, 3), DeltaX first.  Off: both 0.
TSaverSpeed SaverChooseSpeed(bool isFloat, const TSaverRandom& random);

// The graph to show: random mod count with isRandom (0 for an empty set), else stored.  A
// stored index outside 0 to count − 1 (−1 when the configuration had no selection) shows
// the first graph; -1 is returned only when there is no graph at all.
int SaverChooseGraph(bool isRandom, int stored, int count, const TSaverRandom& random);

// Milliseconds between frames for a frame rate: trunc(1000 / framesPerSecond), at least 1.
// A rate below 1 frame per second (0 would divide by zero) plays at 20, a new graph's rate.
int SaverTimerInterval(int framesPerSecond);

// The most memory the frame cache may take, bytes: 64 frames of 1000 × 1000 at 32 bits
// fit; a full-screen image on a large monitor does not, and plays live instead.
inline constexpr int64_t SaverCacheBudget = int64_t{256} << 20;
// Whether `frames` cached frames of width × height pixels at 32 bits fit the budget.
bool SaverCacheFits(int width, int height, int frames);

// Where the image floats: the primary monitor's rectangle (in the view's pixels) within the
// view, or the whole view when they do not meet.  With one monitor covering the view this
// is the whole view; with several, the view covers them all (the virtual screen) and the
// image stays on the primary one, never in a part of the bounding rectangle that no monitor
// shows.
TSaverArea SaverPlayArea(const TSaverArea& view, const TSaverArea& primaryMonitor);

// What the window does after a tick.
struct TSaverTick {
  std::optional<int> Interval;  // the timer's new interval, ms
  bool ShowBanner = true;       // whether the recording banner stays visible
  bool RepaintBanner = false;   // draw the banner again, over what the view drew
  bool Stop = false;            // nothing more to animate: stop the timer
  std::string Report;           // a failure to tell the user, once (the tick also stops)
};

class TSaverPlayer {
public:
  // sequence is the process-wide one in the program (it must outlive the player).
  TSaverPlayer(TSaverSequence& sequence, TSaverSpeed speed, bool isReverse);

  // One tick on view (whose canvas must be drawable now) showing doc (null: no graph) in
  // area.  The first tick of the process holds the image size to the area, centres the
  // image in it, sets the graph with FollowCamera, starts recording a surface whose cycle
  // fits SaverCacheBudget (a curve, or a surface too large for the cache, is drawn anew at
  // every tick) and sets the interval from the frame rate.  Each tick then steps frame
  // FramePos + 1 and advances FramePos by Direction within the cycle; after recording the
  // image moves by the speed, bounces off the area's edges (the position after the move is
  // not clamped) and, with isReverse, a bounce reverses Direction once per tick.
  //
  // Without a graph the tick stops the timer and the screen stays black.  A floating-point
  // error of the graph's formulas would recur at every attempt of the frame: the first one
  // is reported (the graph's name and the error's text) and the animation stops, the screen
  // keeping what it shows.
  TSaverTick Tick(TView& view, TGraphDoc* doc, const TSaverArea& area);

  const TSaverSpeed& Speed() const { return speed_; }
  // Frames of the cycle, taken at the first tick (1 to TView::CacheSize).
  int FrameCount() const { return frameCount_; }
  bool Stopped() const { return stopped_; }

private:
  void FirstTick(TView& view, TGraphDoc& doc, const TSaverArea& area, TSaverTick& tick);
  void Move(TView& view, const TSaverArea& area);

  TSaverSequence& sequence_;
  TSaverSpeed speed_;
  bool isReverse_;
  int frameCount_ = 1;
  bool bannerVisible_ = true;
  bool stopped_ = false;
};
