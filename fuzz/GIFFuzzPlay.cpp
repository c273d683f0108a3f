#include "GIFFuzzChecks.h"

#include "GIFAnimation.h"

void GIFFuzzPlay(std::span<const uint8_t> bytes) {
  TGIFAnimation gif;
  gif.LoadOptions.MaxBitmapBytes = GIFFuzzMaxBitmapBytes;
  if (!gif.LoadFromBytes(bytes)) return;
  // One play-through with the wrap back to frame 1 draws every frame and disposes of every
  // frame once, each at its own rectangle; the load drew frame 1 and the first tick only shows
  // it.  A second play-through and a visit of every frame backwards, as this target once did,
  // ran the same code on the same rectangles again and took more than half of each run.  One
  // jump to the last frame and the stop of the animation (which disposes of a frame and draws
  // frame 1) still draw out of order.
  gif.SetLoop(true);
  gif.SetAnimate(true);
  for (int tick = 0; tick <= gif.FrameCount(); ++tick) gif.Timer();
  gif.SetCurrentFrame(gif.FrameCount());
  gif.SetAnimate(false);
}
