#include "GIFCanvas.h"

#include <algorithm>
#include <cstring>

namespace {

// Copies `width` mask bits starting at bit `fromX` of one row to bit `toX` of another.
void CopyMaskBits(const uint8_t* from, int fromX, uint8_t* to, int toX, int width) {
  for (int i = 0; i < width; ++i) {
    const bool white = (from[(fromX + i) >> 3] >> (7 - ((fromX + i) & 7))) & 1;
    const uint8_t bit = uint8_t(0x80 >> ((toX + i) & 7));
    uint8_t& byte = to[(toX + i) >> 3];
    byte = white ? uint8_t(byte | bit) : uint8_t(byte & ~bit);
  }
}

void FillMaskBits(uint8_t* row, int x, int width, bool white) {
  // Whole bytes in the middle at once; the partial bytes at both ends bit by bit.
  int i = 0;
  for (; i < width && ((x + i) & 7) != 0; ++i) {
    const uint8_t bit = uint8_t(0x80 >> ((x + i) & 7));
    row[(x + i) >> 3] = white ? uint8_t(row[(x + i) >> 3] | bit) : uint8_t(row[(x + i) >> 3] & ~bit);
  }
  const int whole = (width - i) / 8;
  std::memset(row + ((x + i) >> 3), white ? 0xFF : 0x00, size_t(whole));
  i += whole * 8;
  for (; i < width; ++i) {
    const uint8_t bit = uint8_t(0x80 >> ((x + i) & 7));
    row[(x + i) >> 3] = white ? uint8_t(row[(x + i) >> 3] | bit) : uint8_t(row[(x + i) >> 3] & ~bit);
  }
}

}  // namespace

TGIFCanvas::TGIFCanvas(int width, int height, bool transparency) : picture_(width, height) {
  if (transparency) mask_ = TGIFMask(width, height, true);
}

void TGIFCanvas::DrawFrame(TGIFFrame& frame) {
  const int left = frame.Left, top = frame.Top, width = frame.Width, height = frame.Height;
  const bool withMask = !mask_.Empty();
  if (frame.Disposal == 3) {
    for (int y = 0; y < height; ++y) {
      std::memcpy(frame.SavedPicture.Row(y), picture_.Row(top + y) + left,
                  size_t(width) * sizeof(TGIFColor));
      if (withMask) CopyMaskBits(mask_.Row(top + y), left, frame.SavedMask.Row(y), 0, width);
    }
  }
  const TGIFColorTable& colors = *frame.Picture.Colors;
  for (int y = 0; y < height; ++y) {
    const uint8_t* indices = frame.Picture.Row(y);
    TGIFColor* target = picture_.Row(top + y) + left;
    if (frame.Transparent) {
      // The platform draws this as picture XOR, frame mask AND, picture XOR: a pixel under a
      // white (transparent) mask bit comes out unchanged, any other takes the frame's colour.
      // The composed mask is ANDed with the frame's mask.
      const uint8_t* frameMask = frame.Mask.Row(y);
      uint8_t* maskRow = withMask ? mask_.Row(top + y) : nullptr;
      for (int x = 0; x < width; ++x) {
        if ((frameMask[x >> 3] >> (7 - (x & 7))) & 1) continue;
        target[x] = colors[indices[x]];
        if (maskRow) {
          const int mx = left + x;
          maskRow[mx >> 3] &= uint8_t(~(0x80 >> (mx & 7)));
        }
      }
    } else {
      for (int x = 0; x < width; ++x) target[x] = colors[indices[x]];
      if (withMask) FillMaskBits(mask_.Row(top + y), left, width, false);
    }
  }
}

void TGIFCanvas::DisposeFrame(const TGIFFrame& frame) {
  const int left = frame.Left, top = frame.Top, width = frame.Width, height = frame.Height;
  const bool withMask = !mask_.Empty();
  if (frame.Disposal == 2) {
    for (int y = 0; y < height; ++y) {
      std::fill_n(picture_.Row(top + y) + left, width, TGIFColor(0));
      if (withMask) FillMaskBits(mask_.Row(top + y), left, width, true);
    }
  } else if (frame.Disposal == 3) {
    for (int y = 0; y < height; ++y) {
      std::memcpy(picture_.Row(top + y) + left, frame.SavedPicture.Row(y),
                  size_t(width) * sizeof(TGIFColor));
      if (withMask) CopyMaskBits(frame.SavedMask.Row(y), 0, mask_.Row(top + y), left, width);
    }
  }
}
