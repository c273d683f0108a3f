#pragma once

#include <cstdint>

#include "GIFBitmap.h"

// One image of a GIF file, decoded once at load.
struct TGIFFrame {
  // Place and size from the image descriptor, in pixels of the logical screen.  Width and
  // Height are at least 1 (a descriptor with a zero fails the load).
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  uint32_t Delay = 0;    // milliseconds: the graphic control extension's delay × 10
  int Disposal = 0;      // 0 and 1: leave the frame; 2: restore to black/transparent; 3: restore
                         // what lay under it.  A file's other values are read as 2.
  bool Interlaced = false;

  // Only a GIF89a file can make a frame transparent; a GIF87a file's graphic control
  // extension keeps its delay and disposal but not its transparency.
  bool Transparent = false;
  uint8_t TransparentIndex = 0;
  TGIFColor TransparentColor = 0;   // the colour-table entry of TransparentIndex

  // Picture.Colors is the frame's colour table: its local table when the descriptor has one,
  // otherwise a copy of the global table.  Pixels the LZW data does not reach hold index 0.
  TGIFBitmap8 Picture;
  // Transparent frames only: white where a decoded pixel holds TransparentIndex.
  TGIFMask Mask;

  // Disposal 3 only: what lay under the frame in the composed picture and, when the picture
  // has transparency, in the composed mask; filled each time the frame is drawn.
  TGIFBitmap32 SavedPicture;
  TGIFMask SavedMask;
};
