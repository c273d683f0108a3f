#include "GIFEncoder.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <string>
#include <unordered_map>

#include "GIFQuantiser.h"
#include "GIFWriter.h"

namespace {

[[noreturn]] void Fail(const std::string& what) { throw std::invalid_argument("GIF encoder: " + what); }

struct TRect {
  int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
  bool Empty() const { return right <= left || bottom <= top; }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

// The rectangle round every pixel where `next` differs from `shown`.
TRect ChangedRect(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& next, int width, int height) {
  TRect r{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const uint32_t* a = shown.data() + size_t(y) * size_t(width);
    const uint32_t* b = next.data() + size_t(y) * size_t(width);
    int x = 0;
    while (x < width && a[x] == b[x]) ++x;
    if (x == width) continue;
    int last = width - 1;
    while (a[last] == b[last]) --last;
    r.left = std::min(r.left, x);
    r.right = std::max(r.right, last + 1);
    r.top = std::min(r.top, y);
    r.bottom = y + 1;
  }
  return r;
}

// The colours of a table and the index of each; `free` is the index a transparent pixel may
// take, or -1 when the table is full.
struct TTable {
  std::vector<uint32_t> colors;
  std::unordered_map<uint32_t, uint8_t> index;
  int free = -1;

  explicit TTable(std::vector<uint32_t> c) : colors(std::move(c)) {
    for (size_t i = 0; i < colors.size(); ++i) index.emplace(colors[i], uint8_t(i));
    if (colors.size() < 256) free = int(colors.size());
  }
  bool Holds(uint32_t color) const { return index.count(color) != 0; }
  // The table as written: with a black entry for the transparent index when there is room.
  std::vector<uint32_t> Written() const {
    std::vector<uint32_t> out = colors;
    if (free >= 0) out.push_back(0);
    return out;
  }
};

// One frame's rectangle as indices into `table`.  Pixels that keep their shown colour become
// the transparent index when `transparent`; otherwise every pixel must have its colour in the
// table.  Returns false when some pixel's colour is missing.
bool Indices(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& next, int width,
             const TRect& r, const TTable& table, bool transparent, std::vector<uint8_t>& out) {
  out.resize(size_t(r.Width()) * size_t(r.Height()));
  uint8_t* at = out.data();
  uint32_t lastColor = 0;
  int lastIndex = -1;
  for (int y = r.top; y < r.bottom; ++y) {
    const size_t row = size_t(y) * size_t(width);
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t color = next[row + size_t(x)];
      if (transparent && shown[row + size_t(x)] == color) {
        *at++ = uint8_t(table.free);
        continue;
      }
      if (lastIndex < 0 || color != lastColor) {
        const auto it = table.index.find(color);
        if (it == table.index.end()) return false;
        lastColor = color;
        lastIndex = it->second;
      }
      *at++ = uint8_t(lastIndex);
    }
  }
  return true;
}

// The colours of the pixels inside `r` (all of them, or only those that change).
std::vector<uint32_t> ColorsIn(const std::vector<uint32_t>& shown, const std::vector<uint32_t>& next,
                               int width, const TRect& r, bool changingOnly) {
  std::unordered_map<uint32_t, bool> seen;
  std::vector<uint32_t> colors;
  uint32_t last = 0;
  bool haveLast = false;
  for (int y = r.top; y < r.bottom; ++y) {
    const size_t row = size_t(y) * size_t(width);
    for (int x = r.left; x < r.right; ++x) {
      const uint32_t color = next[row + size_t(x)];
      if (changingOnly && shown[row + size_t(x)] == color) continue;
      if (haveLast && color == last) continue;
      haveLast = true;
      last = color;
      if (seen.emplace(color, true).second) colors.push_back(color);
    }
  }
  std::sort(colors.begin(), colors.end());
  return colors;
}

std::vector<TGIFColorCount> Merge(const std::vector<std::vector<TGIFColorCount>>& histograms) {
  std::map<uint32_t, uint64_t> all;
  for (const auto& h : histograms)
    for (const TGIFColorCount& e : h) all[e.Color] += e.Count;
  std::vector<TGIFColorCount> merged;
  merged.reserve(all.size());
  for (const auto& [color, count] : all) merged.push_back({color, count});
  return merged;
}

}  // namespace

std::vector<uint8_t> GIFEncode(int width, int height, std::span<const std::vector<uint32_t>> frames,
                               const TGIFEncodeOptions& options, TGIFEncodeStats* stats) {
  if (width < 1 || width > 65535 || height < 1 || height > 65535) {
    Fail("screen " + std::to_string(width) + " x " + std::to_string(height) + " is outside 1 to 65535");
  }
  if (frames.empty()) Fail("no frame");
  const size_t area = size_t(width) * size_t(height);
  for (size_t k = 0; k < frames.size(); ++k) {
    if (frames[k].size() != area) {
      Fail("frame " + std::to_string(k + 1) + ": " + std::to_string(frames[k].size()) + " pixels for " +
           std::to_string(width) + " x " + std::to_string(height));
    }
  }
  if (options.Delay < 0 || options.Delay > 65535) Fail("delay " + std::to_string(options.Delay) + " is outside 0 to 65535");
  if (options.LoopCount < 0 || options.LoopCount > 65535) {
    Fail("loop count " + std::to_string(options.LoopCount) + " is outside 0 to 65535");
  }

  std::vector<std::vector<TGIFColorCount>> histograms;
  histograms.reserve(frames.size());
  for (const auto& frame : frames) histograms.push_back(GIFCountColors(frame));
  std::vector<TGIFColorCount> all = Merge(histograms);
  // All colours when they fit; else the most frequent 255, leaving an entry for transparency.
  if (all.size() > 256) {
    std::stable_sort(all.begin(), all.end(),
                     [](const TGIFColorCount& a, const TGIFColorCount& b) { return a.Count > b.Count; });
    all.resize(255);
    std::sort(all.begin(), all.end(), [](const TGIFColorCount& a, const TGIFColorCount& b) { return a.Color < b.Color; });
  }
  std::vector<uint32_t> globalColors;
  for (const TGIFColorCount& e : all) globalColors.push_back(e.Color);
  const TTable global(globalColors);

  TGIFEncodeStats result;
  TGIFFileSpec file;
  file.Width = width;
  file.Height = height;
  file.LoopCount = options.LoopCount;
  bool globalUsed = false;
  std::vector<uint32_t> shown(area, 0), quantised;
  std::vector<uint8_t> plain, holes;
  double errorSum = 0;

  for (size_t k = 0; k < frames.size(); ++k) {
    const std::vector<uint32_t>* next = &frames[k];
    std::vector<uint32_t> palette;
    if (histograms[k].size() > 256) {
      palette = GIFMedianCut(histograms[k], 255);
      TGIFNearestColor nearest(palette);
      quantised.resize(area);
      for (size_t i = 0; i < area; ++i) {
        const uint32_t c = frames[k][i];
        quantised[i] = i > 0 && c == frames[k][i - 1] ? quantised[i - 1] : palette[nearest(c)];
        errorSum += std::sqrt(double(GIFColorDistance2(c, quantised[i])));
      }
      next = &quantised;
      ++result.QuantisedFrames;
      result.Exact = false;
    }

    TRect r = k == 0 ? TRect{0, 0, width, height} : ChangedRect(shown, *next, width, height);
    if (r.Empty()) r = {0, 0, 1, 1};  // nothing changes: one pixel keeps the frame's time
    const bool first = k == 0;

    // The table: the quantiser's palette, else the global table when it holds every colour
    // that changes, else the rectangle's own colours.
    std::vector<uint32_t> changing;
    if (palette.empty()) changing = ColorsIn(shown, *next, width, r, !first);
    const bool useGlobal = palette.empty() && std::all_of(changing.begin(), changing.end(),
                                                          [&](uint32_t c) { return global.Holds(c); });
    const TTable local(palette.empty() ? (useGlobal ? std::vector<uint32_t>{} : ColorsIn(shown, *next, width, r, false))
                                       : palette);
    const TTable& table = useGlobal ? global : local;

    // Pixels that keep their colour: as themselves or as holes, whichever compresses better.
    const int bits = std::max(2, GIFTableBits(table.colors.size() + (table.free >= 0 ? 1 : 0)));
    const bool plainOk = Indices(shown, *next, width, r, table, false, plain);
    const bool holesOk = !first && table.free >= 0 && Indices(shown, *next, width, r, table, true, holes);
    bool useHoles = holesOk;
    if (plainOk && holesOk) useHoles = GIFLzwEncode(holes, bits).size() < GIFLzwEncode(plain, bits).size();

    TGIFFrameSpec spec;
    spec.Left = r.left;
    spec.Top = r.top;
    spec.Width = r.Width();
    spec.Height = r.Height();
    spec.Pixels = useHoles ? std::move(holes) : std::move(plain);
    spec.Control = true;
    spec.Disposal = 1;
    spec.Delay = options.Delay;
    spec.Transparent = useHoles;
    spec.TransparentIndex = useHoles ? uint8_t(table.free) : 0;
    spec.MinCodeSize = bits;
    if (useGlobal) {
      globalUsed = true;
    } else {
      spec.LocalTable = local.Written();
      ++result.LocalTables;
    }
    file.Frames.push_back(std::move(spec));
    result.StoredPixels += uint64_t(r.Width()) * uint64_t(r.Height());

    for (int y = r.top; y < r.bottom; ++y) {
      const size_t row = size_t(y) * size_t(width);
      std::copy(next->begin() + ptrdiff_t(row + size_t(r.left)), next->begin() + ptrdiff_t(row + size_t(r.right)),
                shown.begin() + ptrdiff_t(row + size_t(r.left)));
    }
  }
  if (globalUsed) {
    file.GlobalTable = global.Written();
    result.GlobalColors = int(global.colors.size());
  }
  result.MeanError = errorSum / (double(area) * double(frames.size()));
  if (stats) *stats = result;
  return GIFWrite(file);
}
