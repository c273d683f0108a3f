#pragma once

#include "GIFBitmap.h"
#include "GIFFrame.h"

// The composed picture of an animation and, when some frame is transparent, its mask: what
// the control paints.  Frames are drawn onto it one after the other and disposed of before
// the next is drawn, following each frame's disposal method.
//
// The composed picture starts black; the mask starts white (all transparent), and areas that
// become transparent again are painted black in the picture, so a paint that ANDs the mask
// and XORs the picture shows the background there.
class TGIFCanvas {
public:
  TGIFCanvas() = default;
  // An empty composed picture of width × height; with a mask when `transparency`.
  TGIFCanvas(int width, int height, bool transparency);

  // Draws a frame at its place.  A disposal-3 frame first saves the area it covers into its
  // save bitmaps.  A transparent frame changes only its opaque pixels and marks them opaque in
  // the mask; an opaque frame replaces its whole area and marks it opaque.
  // Precondition: the frame lies inside the canvas (a parsed picture guarantees it).
  void DrawFrame(TGIFFrame& frame);

  // Undoes a frame before the next is drawn: disposal 2 paints its area black and, with a
  // mask, transparent; disposal 3 puts back what DrawFrame saved; 0 and 1 leave it.
  void DisposeFrame(const TGIFFrame& frame);

  const TGIFBitmap32& Picture() const { return picture_; }
  const TGIFMask& Mask() const { return mask_; }   // Empty() without transparency

private:
  TGIFBitmap32 picture_;
  TGIFMask mask_;
};
