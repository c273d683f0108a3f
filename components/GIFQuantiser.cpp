#include "GIFQuantiser.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace {

int Channel(uint32_t color, int c) { return int(color >> (16 - 8 * c) & 0xFF); }

// Count-weighted sums of a run of histogram entries, per channel.
struct TSums {
  double n = 0;
  double s[3] = {0, 0, 0};
  double q[3] = {0, 0, 0};
  void Add(const TGIFColorCount& e) {
    const double w = double(e.Count);
    n += w;
    for (int c = 0; c < 3; ++c) {
      const double v = Channel(e.Color, c);
      s[c] += w * v;
      q[c] += w * v * v;
    }
  }
  double Spread(int c) const { return n > 0 ? q[c] - s[c] * s[c] / n : 0; }
  double Error() const { return Spread(0) + Spread(1) + Spread(2); }
  uint32_t Mean() const {
    uint32_t color = 0;
    for (int c = 0; c < 3; ++c) {
      const long v = std::lround(s[c] / n);
      color |= uint32_t(std::clamp(v, 0L, 255L)) << (16 - 8 * c);
    }
    return color;
  }
};

struct TBox {
  size_t begin, end;  // entries of the working histogram
  TSums sums;
};

TSums SumOf(std::span<const TGIFColorCount> entries) {
  TSums sums;
  for (const TGIFColorCount& e : entries) sums.Add(e);
  return sums;
}

// Splits `box` where the two halves' errors add up to the least, along its widest channel.
// The box holds at least two colours.
std::pair<TBox, TBox> Split(std::vector<TGIFColorCount>& entries, const TBox& box) {
  int axis = 0;
  for (int c = 1; c < 3; ++c) {
    if (box.sums.Spread(c) > box.sums.Spread(axis)) axis = c;
  }
  const auto first = entries.begin() + ptrdiff_t(box.begin), last = entries.begin() + ptrdiff_t(box.end);
  std::sort(first, last, [axis](const TGIFColorCount& a, const TGIFColorCount& b) {
    return Channel(a.Color, axis) < Channel(b.Color, axis) ||
           (Channel(a.Color, axis) == Channel(b.Color, axis) && a.Color < b.Color);
  });
  TSums left;
  size_t best = box.begin + 1;
  double bestError = std::numeric_limits<double>::infinity();
  for (size_t i = box.begin; i + 1 < box.end; ++i) {
    left.Add(entries[i]);
    TSums right;
    right.n = box.sums.n - left.n;
    for (int c = 0; c < 3; ++c) {
      right.s[c] = box.sums.s[c] - left.s[c];
      right.q[c] = box.sums.q[c] - left.q[c];
    }
    const double error = left.Error() + right.Error();
    if (error < bestError) {
      bestError = error;
      best = i + 1;
    }
  }
  std::span<const TGIFColorCount> all(entries);
  TBox a{box.begin, best, SumOf(all.subspan(box.begin, best - box.begin))};
  TBox b{best, box.end, SumOf(all.subspan(best, box.end - best))};
  return {a, b};
}

}  // namespace

std::vector<TGIFColorCount> GIFCountColors(std::span<const uint32_t> pixels) {
  std::unordered_map<uint32_t, uint64_t> counts;
  // Runs of one colour are the rule in rendered pictures: one look-up per run.
  for (size_t i = 0; i < pixels.size();) {
    size_t j = i + 1;
    while (j < pixels.size() && pixels[j] == pixels[i]) ++j;
    counts[pixels[i]] += j - i;
    i = j;
  }
  std::vector<TGIFColorCount> histogram;
  histogram.reserve(counts.size());
  for (const auto& [color, count] : counts) histogram.push_back({color, count});
  std::sort(histogram.begin(), histogram.end(),
            [](const TGIFColorCount& a, const TGIFColorCount& b) { return a.Color < b.Color; });
  return histogram;
}

std::vector<uint32_t> GIFMedianCut(std::span<const TGIFColorCount> histogram, int maxColors) {
  if (maxColors < 1 || maxColors > 256) {
    throw std::invalid_argument("GIF quantiser: " + std::to_string(maxColors) +
                                " palette entries asked for, not 1 to 256");
  }
  std::vector<uint32_t> palette;
  if (histogram.size() <= size_t(maxColors)) {
    for (const TGIFColorCount& e : histogram) palette.push_back(e.Color);
    return palette;
  }
  std::vector<TGIFColorCount> entries(histogram.begin(), histogram.end());
  std::vector<TBox> boxes = {{0, entries.size(), SumOf(entries)}};
  // Each split adds one box; a box of one colour has nothing to split, so the loop ends after
  // at most maxColors − 1 splits.
  while (boxes.size() < size_t(maxColors)) {
    size_t worst = boxes.size();
    double worstError = 0;
    for (size_t i = 0; i < boxes.size(); ++i) {
      if (boxes[i].end - boxes[i].begin < 2) continue;
      const double error = boxes[i].sums.Error();
      if (worst == boxes.size() || error > worstError) {
        worst = i;
        worstError = error;
      }
    }
    if (worst == boxes.size()) break;
    auto [a, b] = Split(entries, boxes[worst]);
    boxes[worst] = a;
    boxes.push_back(b);
  }
  for (const TBox& box : boxes) palette.push_back(box.sums.Mean());
  return palette;
}

TGIFNearestColor::TGIFNearestColor(std::span<const uint32_t> palette)
    : palette_(palette.begin(), palette.end()) {
  if (palette_.empty() || palette_.size() > 256) {
    throw std::invalid_argument("GIF quantiser: a palette of " + std::to_string(palette_.size()) +
                                " colours, not 1 to 256");
  }
}

uint8_t TGIFNearestColor::operator()(uint32_t color) {
  if (auto it = found_.find(color); it != found_.end()) return it->second;
  size_t best = 0;
  int bestDistance = std::numeric_limits<int>::max();
  for (size_t i = 0; i < palette_.size() && bestDistance > 0; ++i) {
    const int d = GIFColorDistance2(color, palette_[i]);
    if (d < bestDistance) {
      bestDistance = d;
      best = i;
    }
  }
  found_.emplace(color, uint8_t(best));
  return uint8_t(best);
}
