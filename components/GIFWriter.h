#pragma once

#include <cstdint>
#include <vector>

#include "GIFLzwEncoder.h"

// Writes a GIF89a file from frames of colour indices, block by block as described here.  It
// makes no choice of its own: colour tables, placement, disposal and transparency are the
// caller's (GIFEncoder.h makes those choices for true-colour pictures).
//
// Colours are 0x00RRGGBB.  All sizes are in pixels; delays in hundredths of a second.

struct TGIFFrameSpec {
  // The image's place on the logical screen; it must lie wholly inside the screen.
  int Left = 0, Top = 0;
  int Width = 0, Height = 0;            // 1 to 65535 each
  std::vector<uint8_t> Pixels;          // Width × Height indices, rows top to bottom
  // The frame's own colour table, 1 to 256 colours; empty: the frame uses the global table.
  // A table is written padded with black to the next power of two (at least 2 entries).
  // Indices beyond the table's colours are written as given: decoders show them as they
  // choose, so callers should not make any.
  std::vector<uint32_t> LocalTable;
  bool Interlaced = false;              // rows stored in the four passes 0/8, 4/8, 2/4, 1/2
  // The graphic control extension before the image: written when Control is set.
  bool Control = false;
  int Disposal = 0;                     // 0 to 7: 1 leaves the frame, 2 clears it, 3 restores
  int Delay = 0;                        // 0 to 65535 hundredths of a second
  bool Transparent = false;             // pixels holding TransparentIndex are not drawn
  uint8_t TransparentIndex = 0;
  // LZW: every pixel must be below 2^MinCodeSize (2 to 8).  gcKeepFullTable is for tests of
  // decoders; see GIFLzwEncoder.h.
  int MinCodeSize = 8;
  TGIFFullTable FullTable = gcClearWhenFull;
};

struct TGIFFileSpec {
  int Width = 0, Height = 0;            // the logical screen, 1 to 65535 each
  std::vector<uint32_t> GlobalTable;    // 0 to 256 colours; empty: no global table
  uint8_t BackgroundIndex = 0;
  int LoopCount = -1;                   // NETSCAPE2.0 block: 0 = for ever, 1 to 65535 plays;
                                        // -1 writes no such block (decoders then play once)
  std::vector<TGIFFrameSpec> Frames;    // at least one
};

// The file's bytes: header, logical screen, global table, loop block, then per frame the
// graphic control extension, the image descriptor, the local table and the LZW data in
// sub-blocks of 255 bytes, and the trailer.
//
// Throws std::invalid_argument naming the frame (counted from 1) and the value for a file
// that breaks the rules above: a screen or frame size of 0 or above 65535, a frame outside the
// screen, a pixel count other than Width × Height, a colour table of more than 256 colours, a
// frame with neither a local nor a global table, a code size outside 2 to 8 or a pixel at or
// above 2^MinCodeSize, a disposal outside 0 to 7, a delay or loop count outside its range, or
// no frame at all.
std::vector<uint8_t> GIFWrite(const TGIFFileSpec& file);

// The number of bits of a colour table that holds `colors` entries: 1 for up to 2 colours,
// 8 for 129 to 256.  It is the table's size field plus one, and the smallest useful code size
// of its pixels (GIF asks for at least 2).
int GIFTableBits(size_t colors);
