#pragma once

#include <cstdint>
#include <vector>

// The arithmetic of the gradient title bar, apart from any window: the colour steps and the
// bands they are painted in.  Colours are Windows colour values 0x00BBGGRR.

using TGFColor = uint32_t;

// The fewest and most colour steps a gradient may have.
constexpr int GFMinColors = 8;
constexpr int GFMaxColors = 512;

// `count` colours from `start` to `stop` (count ≥ 2): channel by channel, entry j is
// start + round((stop − start) / (count − 1) × j), rounded to nearest with ties to even, so
// entry 0 is `start` and the last entry is `stop`.
std::vector<TGFColor> GFColorTable(TGFColor start, TGFColor stop, int count);

// Where band `index` of `count` bands across a width of `width` pixels begins:
// round(index × width / count), ties to even.  Band i covers GFBandEdge(i) up to, not
// including, GFBandEdge(i + 1); GFBandEdge(count) is `width`.
int GFBandEdge(int index, int width, int count);
