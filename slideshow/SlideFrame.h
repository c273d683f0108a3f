#pragma once

#include <cstddef>
#include <cstdint>

#include "SlideBitmap.h"
#include "SlideFit.h"

// What one monitor shows, as one bitmap of the monitor's size: black, with the picture in its
// place.  The window layer copies it to the screen as it is; a cross-fade mixes two of them.

// Makes `frame` width × height, black, with `picture` copied in at `place` (the picture is
// place.Width × place.Height; what falls outside the frame is cut off).  The frame's memory is
// reused when its size stays.
void SlideCompose(TSlideBitmap& frame, int width, int height, const TSlideBitmap& picture,
                  const TSlideRect& place);

// The cross-fade's share of the new picture after `elapsedMs` of a fade lasting `durationMs`,
// in 256ths: 0 at the start, 256 once it has run its time.
int SlideFadeWeight(std::uint32_t elapsedMs, std::uint32_t durationMs);

// out = from × (256 − weight) / 256 + to × weight / 256, per channel, for `count` pixels.
// weight 0 gives `from`, 256 gives `to`.  `out` may be either input.
void SlideBlend(const std::uint32_t* from, const std::uint32_t* to, std::uint32_t* out,
                std::size_t count, int weight);

// How long a cross-fade lasts.
inline constexpr std::uint32_t SlideFadeMs = 1000;
