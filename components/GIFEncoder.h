#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Turns an animation of true-colour pictures into a GIF89a file that browsers play: the
// choices of colour tables, placement and transparency that GIFWriter.h leaves to its caller.
//
// Colours: where a frame holds at most 256 colours it is stored exactly.  When all frames
// together hold at most 256, one global table serves them all.  Otherwise the global table
// holds the most frequent colours of the animation (up to 255), every frame whose new pixels
// all have a colour in it uses it, and any other frame gets a local table: its exact colours
// when it has at most 256, else a median-cut palette of 255 (GIFQuantiser.h) with each pixel
// taking the nearest entry, without dithering.
//
// Size: the first frame covers the screen; each later frame stores only the rectangle round
// the pixels whose shown colour changes, and is drawn over what is shown (disposal 1).  Inside
// that rectangle, pixels that keep their colour may be written as a transparent index when the
// table has a free entry for it; the frame is compressed both ways and the smaller is kept.  A
// frame that changes nothing is a single transparent (or unchanged) pixel, so that every frame
// keeps its time.

struct TGIFEncodeOptions {
  int Delay = 5;       // hundredths of a second per frame, 0 to 65535
  int LoopCount = 0;   // 0: for ever; 1 to 65535 plays
};

// What the encoder did, for reports and tests.
struct TGIFEncodeStats {
  bool Exact = true;               // every frame shows its colours exactly
  int GlobalColors = 0;            // colours of the global table, 0 when there is none
  int LocalTables = 0;             // frames with a table of their own
  int QuantisedFrames = 0;         // frames with more than 256 colours
  double MeanError = 0;            // mean RGB distance of shown to given pixels, all frames
  uint64_t StoredPixels = 0;       // pixels of all frame rectangles together
};

// width, height: the screen, 1 to 65535 each.  frames: at least one, each width × height
// pixels 0x00RRGGBB (top byte 0), rows top to bottom; they are not kept.  stats may be null.
// Returns the file's bytes.  Throws std::invalid_argument naming the fault for a size outside
// its range, no frame, a frame of the wrong pixel count or a delay or loop count outside its
// range.
std::vector<uint8_t> GIFEncode(int width, int height, std::span<const std::vector<uint32_t>> frames,
                               const TGIFEncodeOptions& options, TGIFEncodeStats* stats = nullptr);
