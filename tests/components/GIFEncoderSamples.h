#pragma once

// Animations for the tests of the GIF encoder, and our decoder's reading of a GIF as the
// pictures a viewer shows, one per frame.
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include "GIFAnimation.h"

struct TGIFSampleAnimation {
  int Width = 0, Height = 0;
  std::vector<std::vector<uint32_t>> Frames;  // 0x00RRGGBB
};

// A shaded disc moving over a dark background with a fixed grid, as a rendered graph looks:
// flat areas, `shades` shades of one hue, a few line colours.  `hueStep` turns the hue a little
// each frame, so that the frames together hold more colours than one frame.
inline TGIFSampleAnimation GIFSampleDisc(int width, int height, int frames, int shades, int hueStep = 0) {
  TGIFSampleAnimation a{width, height, {}};
  for (int k = 0; k < frames; ++k) {
    std::vector<uint32_t> p(size_t(width) * size_t(height), 0x101020);
    for (int y = 0; y < height; y += 16)
      for (int x = 0; x < width; ++x) p[size_t(y) * size_t(width) + size_t(x)] = 0x404040;
    const double cx = width * (0.3 + 0.4 * k / std::max(1, frames - 1)), cy = height / 2.0, r = height / 3.0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const double dx = x - cx, dy = y - cy;
        if (dx * dx + dy * dy > r * r) continue;
        const int shade = std::min(shades - 1, int((dx + r) / (2 * r) * shades));
        const uint32_t level = uint32_t(40 + shade * 200 / std::max(1, shades - 1));
        const uint32_t hue = uint32_t(k * hueStep) & 0xFF;
        p[size_t(y) * size_t(width) + size_t(x)] = level << 16 | hue << 8 | (255 - level);
      }
    a.Frames.push_back(std::move(p));
  }
  return a;
}

// Smooth two-dimensional gradients with a little noise: thousands of colours in every frame.
inline TGIFSampleAnimation GIFSampleGradient(int width, int height, int frames) {
  TGIFSampleAnimation a{width, height, {}};
  uint32_t noise = 12345;
  for (int k = 0; k < frames; ++k) {
    std::vector<uint32_t> p(size_t(width) * size_t(height));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        noise = noise * 1103515245 + 12345;
        const uint32_t r = uint32_t(x * 255 / std::max(1, width - 1));
        const uint32_t g = uint32_t((y * 255 / std::max(1, height - 1) + k * 8) & 0xFF);
        const uint32_t b = uint32_t(128 + (noise >> 16) % 8);
        p[size_t(y) * size_t(width) + size_t(x)] = r << 16 | g << 8 | b;
      }
    a.Frames.push_back(std::move(p));
  }
  return a;
}

// The pictures our decoder shows for each frame of `bytes`, in order (empty when the file does
// not load), rows top to bottom.
inline std::vector<std::vector<uint32_t>> GIFShownFrames(std::span<const uint8_t> bytes) {
  TGIFAnimation gif;
  std::vector<std::vector<uint32_t>> shown;
  if (!gif.LoadFromBytes(bytes)) return shown;
  for (int k = 0; k < gif.FrameCount(); ++k) {
    if (k > 0) gif.SetCurrentFrame(k + 1);  // frame 1 shows after the load
    const TGIFBitmap32& picture = gif.Canvas().Picture();
    std::vector<uint32_t> p;
    p.reserve(size_t(picture.Width) * size_t(picture.Height));
    for (int y = 0; y < picture.Height; ++y) p.insert(p.end(), picture.Row(y), picture.Row(y) + picture.Width);
    shown.push_back(std::move(p));
  }
  return shown;
}
