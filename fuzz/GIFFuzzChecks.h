#pragma once

// The checks of the two GIF fuzz targets (gif, gif_giflib), which the fuzzers and the replay of
// what they found (regressions/gif/) run.
#include <cstdint>
#include <span>
#include <string>

// The fuzz build's bound on the bitmap memory one input may make the decoder allocate (the
// control's is GIFDefaultMaxBitmapBytes, 512 MiB).  The bound's checks are the same code at any
// value; this one holds every seed (at most 4 frames of 48 × 48, which need up to 67 KiB) and
// pictures of about 140 × 140, enough to fill the LZW table several times.  A mutated size
// field makes an input declare as much as the bound allows, in frames the data barely fills,
// and such inputs set the pace: zeroing, laying out and composing those bitmaps row by row
// under the sanitizers.  Halving the bound from 256 KiB ran a grown corpus a third faster.
constexpr uint64_t GIFFuzzMaxBitmapBytes = uint64_t(128) << 10;

// Loads `bytes` as the control does and, when they load, composes every frame.  Its findings are
// crashes, leaks and sanitizer reports; it returns nothing.
void GIFFuzzPlay(std::span<const uint8_t> bytes);

// Decodes `bytes` with our decoder and with giflib's DGifSlurp and compares the results under
// the rules stated in GIFGiflibDiff.cpp.  Returns "" when they agree, else the first difference
// (what differs, in which frame, both values).
std::string GIFGiflibDiff(std::span<const uint8_t> bytes);
