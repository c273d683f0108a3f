#include "SlideFrame.h"

#include <algorithm>
#include <cstring>

void SlideCompose(TSlideBitmap& frame, int width, int height, const TSlideBitmap& picture,
                  const TSlideRect& place) {
  frame.Width = std::max(width, 0);
  frame.Height = std::max(height, 0);
  frame.Pixels.assign(std::size_t(frame.Width) * std::size_t(frame.Height), 0xFF000000u);
  const int left = std::max(place.Left, 0), top = std::max(place.Top, 0);
  const int right = std::min({place.Left + place.Width, place.Left + picture.Width, frame.Width});
  const int bottom = std::min({place.Top + place.Height, place.Top + picture.Height, frame.Height});
  for (int y = top; y < bottom; ++y) {
    const std::uint32_t* from = picture.Pixels.data() +
                                std::size_t(y - place.Top) * std::size_t(picture.Width) +
                                std::size_t(left - place.Left);
    std::uint32_t* to = frame.Pixels.data() + std::size_t(y) * std::size_t(frame.Width) + std::size_t(left);
    if (right > left) std::memcpy(to, from, std::size_t(right - left) * sizeof(std::uint32_t));
  }
}

int SlideFadeWeight(std::uint32_t elapsedMs, std::uint32_t durationMs) {
  if (durationMs == 0 || elapsedMs >= durationMs) return 256;
  return int(std::uint64_t(elapsedMs) * 256 / durationMs);
}

void SlideBlend(const std::uint32_t* from, const std::uint32_t* to, std::uint32_t* out,
                std::size_t count, int weight) {
  const std::uint32_t w = std::uint32_t(std::clamp(weight, 0, 256)), keep = 256 - w;
  // Two channels at a time, each in its own 16 bits: a channel times 256 never reaches the
  // next one.
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t a = from[i], b = to[i];
    const std::uint32_t redBlue = (((a & 0x00FF00FFu) * keep + (b & 0x00FF00FFu) * w) >> 8) & 0x00FF00FFu;
    const std::uint32_t alphaGreen = (((a >> 8) & 0x00FF00FFu) * keep + ((b >> 8) & 0x00FF00FFu) * w) & 0xFF00FF00u;
    out[i] = redBlue | alphaGreen;
  }
}
