// Writing one cycle of a graph as an animated GIF: our encoder (GIFEncoder.h) against
// ImageMagick's convert on the same 64 frames of 400 × 400 (the sample set's first surface,
// as twk render draws them), for encode time and file size.  convert reads the frames from PNG
// files, which adds their decoding (a small part of its time); ours takes them from memory.
// convert runs with its defaults, and again with -layers Optimize, its changed-rectangle
// frames.  Its wall time suffers from its worker threads on a busy machine, so its CPU time
// (user + system of the child) is reported beside it.  Without convert (the Windows build,
// or a machine without ImageMagick) only our encoder is measured.
#include <benchmark/benchmark.h>
#ifdef CONVERT
#include <sys/resource.h>
#endif

#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "GIFEncoder.h"
#include "GraphText.h"
#include "PngWriter.h"
#include "SoftwareCanvas.h"
#include "View.h"

namespace {

namespace fs = std::filesystem;

constexpr int Side = 400;

class TBenchHost : public TViewHost {
public:
  TBenchHost() : screen(Side, Side) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override {}
  TSoftwareBitmap screen;
};

struct TCycle {
  std::vector<std::vector<uint32_t>> frames;  // 0x00RRGGBB
  int delay = 5;
  fs::path folder;                            // frame-001.png ...
};

// The cycle as twk render --gif draws it, and its frames as PNG files for convert.
const TCycle& Cycle() {
  static const TCycle cycle = [] {
    std::ifstream file(SHOWCASE_TEXT, std::ios::binary);
    TGraphSet set = BuildGraphSet(std::string(std::istreambuf_iterator<char>(file), {}));
    TBenchHost host;
    TView view(host);
    view.ImageWidth = view.ImageHeight = Side;
    view.ImageBorder = 4;
    view.FollowCamera = true;
    view.SetGraph(&set.Doc(0));
    TCycle c;
    c.delay = std::max(2, 100 / std::max(1, set.Doc(0).FramesPerSecond));
    c.folder = fs::temp_directory_path() / ("plotvane-gif-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(c.folder);
    for (int k = 1; k <= view.CycleLength(); ++k) {
      view.StepFrame(k, true);
      std::vector<uint32_t> pixels;
      std::vector<uint8_t> rgb;
      for (int y = 0; y < Side; ++y)
        for (int x = 0; x < Side; ++x) {
          const TColor p = host.screen.Pixel(x, y);  // 0x00BBGGRR
          pixels.push_back((p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF));
          rgb.insert(rgb.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16)});
        }
      char name[32];
      std::snprintf(name, sizeof name, "frame-%03d.png", k);
      std::string error;
      if (!PngWriteRgb((c.folder / name).string(), Side, Side, rgb, error)) std::fprintf(stderr, "%s\n", error.c_str());
      c.frames.push_back(std::move(pixels));
    }
    view.SetGraph(nullptr);
    return c;
  }();
  return cycle;
}

void BM_GIFEncode(benchmark::State& state) {
  const TCycle& cycle = Cycle();
  TGIFEncodeStats stats;
  size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<uint8_t> gif = GIFEncode(Side, Side, cycle.frames, {cycle.delay, 0}, &stats);
    bytes = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  state.counters["bytes"] = double(bytes);
  state.counters["frames"] = double(cycle.frames.size());
  state.counters["exact"] = stats.Exact ? 1 : 0;
}
BENCHMARK(BM_GIFEncode)->Unit(benchmark::kMillisecond);

#ifdef CONVERT
double ChildCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One run of convert per iteration; the iteration's time is its wall time.
void BM_ImageMagickConvert(benchmark::State& state, const std::string& options) {
  const TCycle& cycle = Cycle();
  const fs::path out = cycle.folder / "convert.gif";
  const std::string command = std::string(CONVERT) + " -delay " + std::to_string(cycle.delay) + " -loop 0 '" +
                              (cycle.folder / "frame-").string() + "'*.png " + options + " '" + out.string() + "'";
  double cpu = 0;
  for (auto _ : state) {
    const double before = ChildCpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    if (std::system(command.c_str()) != 0) state.SkipWithError(("failed: " + command).c_str());
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    cpu += ChildCpuSeconds() - before;
  }
  state.counters["bytes"] = double(fs::exists(out) ? fs::file_size(out) : 0);
  state.counters["cpu_ms"] = 1000 * cpu / double(state.iterations());
}
BENCHMARK_CAPTURE(BM_ImageMagickConvert, plain, std::string())
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
BENCHMARK_CAPTURE(BM_ImageMagickConvert, layers_optimize, std::string("-layers Optimize"))
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(1);
#endif

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(Cycle().folder, ignored);
  return 0;
}
