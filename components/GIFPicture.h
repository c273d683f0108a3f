#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "GIFBitmap.h"
#include "GIFFrame.h"

enum TGIFVersion { gvGIF87a, gvGIF89a };

// Load progress: the position in the file's bytes, their count, 100 × position / count, and a
// flag the handler clears to abandon the load (which then fails).
using TProgressEvent = std::function<void(int64_t BytesProcessed, int64_t BytesToProcess,
                                          int PercentageProcessed, bool& KeepOnProcessing)>;

// The most frames a picture holds; later images of a file are ignored.
constexpr int GIFMaxFrames = 256;

// The default bound on the bitmap memory one file may make us allocate: every frame's
// picture, mask and disposal-3 save bitmaps plus the composed picture and mask.  A GIF
// declares sizes up to 65535 × 65535 per frame in a few bytes, so without a bound a tiny file
// could ask for terabytes.  512 MiB holds 256 frames of 1024 × 768 with masks.
constexpr uint64_t GIFDefaultMaxBitmapBytes = uint64_t(512) << 20;

struct TGIFLoadOptions {
  bool FirstImageOnly = false;      // decode the first image only
  uint64_t MaxBitmapBytes = GIFDefaultMaxBitmapBytes;
  TProgressEvent OnProgress;        // may be empty
};

// Everything a GIF file says, decoded.
struct TGIFPicture {
  TGIFVersion Version = gvGIF87a;
  // The logical screen, enlarged to the furthest right and bottom edge of any frame, so that
  // every frame lies inside the picture.
  int Width = 0;
  int Height = 0;
  TGIFColorTable GlobalTable{};     // all black when the file has none
  int GlobalTableBits = 0;          // log2 of the largest table met (global or local), 0 if none
  int LoopCount = 1;                // NETSCAPE 2.0 loop count; 0 = for ever
  bool HasTransparency = false;     // some frame is transparent
  std::vector<TGIFFrame> Frames;    // 1 to GIFMaxFrames after a successful parse
};

// Parses and decodes a whole GIF file held in `bytes` into `picture` (which is overwritten).
// Returns true on success.  On failure returns false with `error` naming what failed and the
// byte offset; `picture` is then unspecified.  Failures: no bytes; a header not starting with
// "GIF"; a read past the end of the bytes; an image descriptor with zero width or height; an
// LZW code size outside 1 to 8 (8 is the GIF maximum: larger codes yield indices an 8-bit
// picture cannot hold); no image at all; bitmaps beyond options.MaxBitmapBytes; progress
// cancelled by the handler.  Damaged LZW data is not a failure: decoding stops at the first
// code that refers to an undefined table entry, and the pixels not reached keep index 0.
bool GIFParse(std::span<const uint8_t> bytes, const TGIFLoadOptions& options,
              TGIFPicture& picture, std::string& error);
