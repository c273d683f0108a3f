// Decoding speed of generated GIFs in MB/s of LZW data: our load plus the composition of every
// frame, side by side with giflib's DGifSlurp (decoding only) on the same bytes, and the ratio.
// giflib is only in the native build; the Windows build measures ours alone.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "GIFAnimation.h"
#include "MedianReporter.h"
#include "GIFTestFiles.h"

#ifdef PLOTVANE_WITH_GIFLIB
#include "GiflibMemory.h"
#endif

namespace {

struct TSample {
  const char* name;
  std::vector<uint8_t> bytes;
  size_t lzwBytes = 0;   // sub-block payloads of the image data
};

// Photo-like pixels: smooth bands with noise, the kind of data LZW meets in practice.
TGIFFrameSpec Frame(int width, int height, int colors, uint32_t seed) {
  TGIFFrameSpec frame;
  frame.Width = width;
  frame.Height = height;
  frame.Pixels = GIFTestPattern(width, height, colors, seed);
  frame.MinCodeSize = 8;
  frame.Control = true;
  return frame;
}

std::vector<uint32_t> Palette() {
  std::vector<uint32_t> table(256);
  for (uint32_t i = 0; i < 256; ++i) table[i] = i * 0x010203u & 0xFFFFFF;
  return table;
}

std::vector<TSample> Samples() {
  std::vector<TSample> samples;
  auto add = [&](const char* name, const TGIFFileSpec& file) {
    TSample s{name, GIFWrite(file)};
    for (const TGIFFrameSpec& f : file.Frames) {
      // Interlacing reorders the rows, which changes the compressed size a little; the
      // non-interlaced size is close enough for a rate.
      s.lzwBytes += GIFLzwEncode(f.Pixels, f.MinCodeSize, f.FullTable).size();
    }
    samples.push_back(std::move(s));
  };
  TGIFFileSpec single;
  single.Width = 1024;
  single.Height = 768;
  single.GlobalTable = Palette();
  single.Frames.push_back(Frame(1024, 768, 256, 1));
  add("single 1024x768", single);

  TGIFFileSpec animation;
  animation.Width = animation.Height = 200;
  animation.GlobalTable = Palette();
  animation.LoopCount = 0;
  for (int k = 0; k < 256; ++k) {
    TGIFFrameSpec frame = Frame(200, 200, 64 + k % 192, uint32_t(k));
    frame.Disposal = k % 4;
    frame.Transparent = k % 2 == 1;
    frame.TransparentIndex = 3;
    frame.Delay = 4;
    animation.Frames.push_back(std::move(frame));
  }
  add("animation 256x200x200", animation);

  TGIFFileSpec interlaced;
  interlaced.Width = 640;
  interlaced.Height = 480;
  interlaced.GlobalTable = Palette();
  TGIFFrameSpec frame = Frame(640, 480, 200, 9);
  frame.Interlaced = true;
  interlaced.Frames.push_back(std::move(frame));
  add("interlaced 640x480", interlaced);
  return samples;
}

const std::vector<TSample>& AllSamples() {
  static const std::vector<TSample> samples = Samples();
  return samples;
}

void BM_Ours(benchmark::State& state, const TSample* sample) {
  TGIFAnimation gif;
  for (auto _ : state) {
    if (!gif.LoadFromBytes(sample->bytes)) {
      state.SkipWithError(gif.LastError().c_str());
      return;
    }
    // Compose every frame as the animation shows them.
    gif.SetAnimate(true);
    for (int k = 0; k < gif.FrameCount(); ++k) gif.Timer();
    benchmark::DoNotOptimize(gif.Canvas().Picture().Pixels.data());
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(sample->lzwBytes));
}

#ifdef PLOTVANE_WITH_GIFLIB
void BM_Giflib(benchmark::State& state, const TSample* sample) {
  for (auto _ : state) {
    TGiflibInput input{sample->bytes};
    const TGiflibFile gif = GiflibOpen(input);
    if (!gif || DGifSlurp(gif.get()) != GIF_OK) {
      state.SkipWithError("giflib failed");
      return;
    }
    benchmark::DoNotOptimize(gif->SavedImages[0].RasterBits);
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(sample->lzwBytes));
}
#endif

// Prints the usual table, then each file's MB/s both ways and the ratio (ours / giflib).
class TRatioReporter : public TMedianReporter {
public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-24s %10s %14s %14s %8s\n", "file", "LZW bytes", "ours MB/s", "giflib MB/s",
                "ratio");
    for (const TSample& s : AllSamples()) {
      const double* ours = Nanoseconds(std::string("ours/") + s.name);
      const double* peer = Nanoseconds(std::string("giflib/") + s.name);
      if (!ours) continue;
      const double mb = double(s.lzwBytes) / 1e6;
      if (!peer) {
        std::printf("%-24s %10zu %14.1f %14s %8s\n", s.name, s.lzwBytes, mb / (*ours * 1e-9), "-", "-");
      } else {
        std::printf("%-24s %10zu %14.1f %14.1f %8.2f\n", s.name, s.lzwBytes, mb / (*ours * 1e-9),
                    mb / (*peer * 1e-9), *peer / *ours);
      }
    }
    std::printf("goal: ratio >= 1.0 (ours includes composing every frame)\n");
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (const TSample& s : AllSamples()) {
    benchmark::RegisterBenchmark((std::string("ours/") + s.name).c_str(), BM_Ours, &s);
#ifdef PLOTVANE_WITH_GIFLIB
    benchmark::RegisterBenchmark((std::string("giflib/") + s.name).c_str(), BM_Giflib, &s);
#endif
  }
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
