#include "SlideScale.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// Weights are fixed-point with 14 fraction bits; the taps of one target pixel add up to one.
constexpr int SlideWeightBits = 14;
constexpr int SlideWeightOne = 1 << SlideWeightBits;

struct TSlideTaps {
  int First = 0;              // the first source pixel
  std::vector<int> Weights;   // one per source pixel from First on
};

// The source pixels behind each of `target` pixels along one direction of `source` pixels.
std::vector<TSlideTaps> SlideTapsFor(int source, int target) {
  std::vector<TSlideTaps> taps(static_cast<std::size_t>(target));
  const double scale = double(source) / target;
  for (int t = 0; t < target; ++t) {
    TSlideTaps& tap = taps[std::size_t(t)];
    std::vector<double> weights;
    if (scale <= 1.0) {
      // Growing: the target pixel's centre in source coordinates, between two pixel centres.
      const double centre = std::clamp((t + 0.5) * scale - 0.5, 0.0, double(source - 1));
      tap.First = std::min(int(centre), std::max(source - 2, 0));
      const double f = centre - tap.First;
      weights = {1.0 - f, f};
      if (source == 1) weights = {1.0};
    } else {
      // Shrinking: the span [t·scale, (t + 1)·scale) and how much of each pixel it covers.
      const double from = t * scale, to = std::min((t + 1) * scale, double(source));
      tap.First = int(from);
      for (int s = tap.First; s < source && s < to; ++s)
        weights.push_back(std::min(to, s + 1.0) - std::max(from, double(s)));
    }
    double sum = 0;
    for (double w : weights) sum += w;
    int given = 0;
    for (double w : weights) {
      tap.Weights.push_back(int(std::lround(w / sum * SlideWeightOne)));
      given += tap.Weights.back();
    }
    tap.Weights.back() += SlideWeightOne - given;  // rounding never brightens or darkens
  }
  return taps;
}

inline std::uint32_t SlideChannel(std::uint32_t pixel, int shift) { return (pixel >> shift) & 0xFF; }

inline std::uint32_t SlideRound(std::int64_t v) {
  return std::uint32_t(std::clamp<std::int64_t>((v + SlideWeightOne / 2) >> SlideWeightBits, 0, 255));
}

// Across: every row of `in` (inWidth pixels) into a row of taps.size() pixels of `out`.
void SlideAcross(const std::uint32_t* in, int inWidth, std::uint32_t* out, int rows,
                 const std::vector<TSlideTaps>& taps) {
  for (int y = 0; y < rows; ++y) {
    const std::uint32_t* from = in + std::size_t(y) * std::size_t(inWidth);
    std::uint32_t* to = out + std::size_t(y) * taps.size();
    for (std::size_t t = 0; t < taps.size(); ++t) {
      const TSlideTaps& tap = taps[t];
      std::int64_t b = 0, g = 0, r = 0;
      for (std::size_t k = 0; k < tap.Weights.size(); ++k) {
        const std::uint32_t p = from[std::size_t(tap.First) + k];
        const int w = tap.Weights[k];
        b += std::int64_t(SlideChannel(p, 0)) * w;
        g += std::int64_t(SlideChannel(p, 8)) * w;
        r += std::int64_t(SlideChannel(p, 16)) * w;
      }
      to[t] = 0xFF000000u | SlideRound(r) << 16 | SlideRound(g) << 8 | SlideRound(b);
    }
  }
}

// Down: each target row is the weighted sum of whole source rows, walked row by row so that
// memory is read in order.
void SlideDown(const std::uint32_t* in, int width, std::uint32_t* out,
               const std::vector<TSlideTaps>& taps) {
  std::vector<std::int32_t> sum(std::size_t(width) * 3);
  for (std::size_t t = 0; t < taps.size(); ++t) {
    std::fill(sum.begin(), sum.end(), 0);
    const TSlideTaps& tap = taps[t];
    for (std::size_t k = 0; k < tap.Weights.size(); ++k) {
      const std::uint32_t* row = in + (std::size_t(tap.First) + k) * std::size_t(width);
      const int w = tap.Weights[k];
      for (int x = 0; x < width; ++x) {
        sum[std::size_t(x) * 3] += std::int32_t(SlideChannel(row[x], 0)) * w;
        sum[std::size_t(x) * 3 + 1] += std::int32_t(SlideChannel(row[x], 8)) * w;
        sum[std::size_t(x) * 3 + 2] += std::int32_t(SlideChannel(row[x], 16)) * w;
      }
    }
    std::uint32_t* to = out + t * std::size_t(width);
    for (int x = 0; x < width; ++x)
      to[x] = 0xFF000000u | SlideRound(sum[std::size_t(x) * 3 + 2]) << 16 |
              SlideRound(sum[std::size_t(x) * 3 + 1]) << 8 | SlideRound(sum[std::size_t(x) * 3]);
  }
}

}  // namespace

TSlideBitmap SlideScale(const TSlideBitmap& source, int width, int height) {
  TSlideBitmap result;
  if (source.Width <= 0 || source.Height <= 0 || width < 1 || height < 1) return result;
  // Across first, then down: the middle picture is width × source height.
  std::vector<std::uint32_t> middle(std::size_t(width) * std::size_t(source.Height));
  SlideAcross(source.Pixels.data(), source.Width, middle.data(), source.Height,
              SlideTapsFor(source.Width, width));
  result.Width = width;
  result.Height = height;
  result.Pixels.resize(std::size_t(width) * std::size_t(height));
  SlideDown(middle.data(), width, result.Pixels.data(), SlideTapsFor(source.Height, height));
  return result;
}
