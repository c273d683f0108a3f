// The full-screen saver's costs with the sample graph Wave Field, at the default image size
// (200 × 200) and at 1000 × 1000: the time from the start (loading the graph set file) to
// the first frame drawn, the CPU time of one playback tick once the cycle is recorded, and
// the memory of the frame cache.  Goals: the first frame within 300 ms, a playback tick under
// 1 ms of CPU.
//
// Everywhere the portable tick on the software canvas (SaverTick/...); on Windows also the
// saver window itself (SaverWindow/...), drawing through GDI on a real window.  The window
// benchmarks need a screen of at least 1000 × 1000 pixels (scripts/run-benchmarks gives Wine
// one of 1280 × 1024).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "GraphFile.h"
#include "SaverPlayer.h"
#include "SoftwareCanvas.h"
#include "View.h"

#ifdef _WIN32
#include <windows.h>

#include "Application.h"
#include "Extras.h"
#include "SaverForm.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "Timer.h"
#endif

namespace {

constexpr int ScreenWidth = 1280, ScreenHeight = 1024;

// The sample set as a path the program can open (a Unix path becomes one on Wine's Z:).
std::string ShowcasePath() {
  std::string path = SHOWCASE_FILE;
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') {
    for (char& c : path) c = c == '/' ? '\\' : c;
    path = "Z:" + path;
  }
#endif
  return path;
}

int WaveField(const TGraphSet& set) {
  for (int i = 0; i < set.Count(); ++i)
    if (set.Doc(i).Text(gtName) == "Wave Field") return i;
  return 0;
}

// Bytes held by the frame cache.
int64_t CacheBytes(const TView& view) {
  int64_t bytes = 0;
  for (int slot = 0; slot < TView::CacheSize; ++slot) {
    const TBitmap& frame = view.CachedFrame(slot);
    bytes += int64_t{4} * frame.Width() * frame.Height();
  }
  return bytes;
}

class TScreenHost : public TViewHost {
public:
  TScreenHost() : screen(ScreenWidth, ScreenHeight) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override {}
  TSoftwareBitmap screen;
};

const TSaverArea Screen{0, 0, ScreenWidth, ScreenHeight};

// From reading the file to the first frame on the screen, as the saver's constructor and
// first tick do it.
void BM_TickFirstFrame(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TScreenHost host;
  for (auto _ : state) {
    TGraphSet set = LoadGraphFile(ShowcasePath());
    TSaverSequence sequence;
    TView view(host);
    view.ImageWidth = view.ImageHeight = size;
    view.ImageBorder = 4;
    TSaverPlayer player(sequence, {1, 1}, false);
    player.Tick(view, &set.Doc(WaveField(set)), Screen);
    if (!view.SnapshotValid()) state.SkipWithError("no frame drawn");
    view.SetGraph(nullptr);
  }
}

// One tick once the cycle is in the cache: a copy of the frame and the move.
void BM_TickPlayback(benchmark::State& state) {
  const int size = static_cast<int>(state.range(0));
  TScreenHost host;
  TGraphSet set = LoadGraphFile(ShowcasePath());
  TGraphDoc& doc = set.Doc(WaveField(set));
  TSaverSequence sequence;
  TView view(host);
  view.ImageWidth = view.ImageHeight = size;
  view.ImageBorder = 4;
  TSaverPlayer player(sequence, {2, 1}, false);
  for (int i = 0; i < 200 && (sequence.FirstTick || view.Recording()); ++i)
    player.Tick(view, &doc, Screen);
  if (!view.Playing()) state.SkipWithError("the cycle was not recorded");
  for (auto _ : state) player.Tick(view, &doc, Screen);
  state.counters["cache_MB"] = static_cast<double>(CacheBytes(view)) / (1 << 20);
  view.SetGraph(nullptr);
}

#ifdef _WIN32
// The saver window over the primary screen, with the settings naming a copy of the sample
// set (the window writes its set back when it goes).
class TWindowRun {
public:
  explicit TWindowRun(int size) {
    static TScrControl* control = [] {
      Application().Initialize();
      auto* created = new TScrControl(&Application());  // owned by the application
      created->SetModeClass(smSettings, ComponentClass<TExtras>);
      return created;
    }();
    (void)control;
    const auto copy = std::filesystem::temp_directory_path() / "plotvane-saver-bench.twk";
    std::filesystem::copy_file(ShowcasePath(), copy, std::filesystem::copy_options::overwrite_existing);
    const TGraphSet set = LoadGraphFile(copy.string());
    TSaverSettings settings;
    settings.ImageWidth = settings.ImageHeight = size;
    settings.CurrentFile = copy.string();
    settings.GraphIndex = WaveField(set);
    SaverWriteSettings(ScrCurrentUserHive(), settings);
  }
};

void PumpUntil(const std::function<bool()>& done) {
  for (int i = 0; i < 100000 && !done(); ++i) Application().HandleMessage();
}

// From creating the window (which loads the file) to the first frame on it: the first
// timer event comes 10 ms after the window is shown.  Closing the window is not timed (Wine
// takes seconds to let a window of the screen's size go when no window manager runs).
void BM_WindowFirstFrame(benchmark::State& state) {
  TWindowRun run(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    SaverSequence() = {};
    const auto start = std::chrono::steady_clock::now();
    TSaverForm form(nullptr);
    form.SetBorderStyle(bsNone);
    form.SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    form.Show();
    PumpUntil([&] { return form.View().View().SnapshotValid(); });
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (!form.View().View().SnapshotValid()) state.SkipWithError("no frame drawn");
    form.Hide();
  }
}

// One timer tick of the window once the cycle is recorded: the cached frame copied to the
// window through GDI, and the move.
void BM_WindowPlayback(benchmark::State& state) {
  TWindowRun run(static_cast<int>(state.range(0)));
  SaverSequence() = {};
  TSaverForm form(nullptr);
  form.ScrTimer().SetEnabled(false);
  form.SetBorderStyle(bsNone);
  form.SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  form.Show();
  TView& view = form.View().View();
  for (int i = 0; i < 200 && (SaverSequence().FirstTick || view.Recording()); ++i)
    form.ScrTimerTimer(nullptr);
  if (!view.Playing()) state.SkipWithError("the cycle was not recorded");
  if (view.ImageWidth != state.range(0)) state.SkipWithError("the screen is too small");
  for (auto _ : state) form.ScrTimerTimer(nullptr);
  state.counters["cache_MB"] = static_cast<double>(CacheBytes(view)) / (1 << 20);
  form.Hide();
}
#endif

}  // namespace

BENCHMARK(BM_TickFirstFrame)->Name("SaverTick/FirstFrame")->Arg(200)->Arg(1000)
    ->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_TickPlayback)->Name("SaverTick/Playback")->Arg(200)->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
#ifdef _WIN32
BENCHMARK(BM_WindowFirstFrame)->Name("SaverWindow/FirstFrame")->Arg(200)->Arg(1000)
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(3);
BENCHMARK(BM_WindowPlayback)->Name("SaverWindow/Playback")->Arg(200)->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
#endif

BENCHMARK_MAIN();
