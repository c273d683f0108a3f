// The graphs of the gallery as the saver computes them, on the software canvas: the first
// frame on a 1024 × 768 screen with the image as large as the screen (what the user waits
// for; a curve is drawn this way at every tick), and the whole recording of a surface's
// cycle at the saver's default 200 × 200.  Goals: the first frame within the saver's 300 ms,
// a curve frame within its tick (50 ms at 20 frames per second).
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "GraphText.h"
#include "SoftwareCanvas.h"
#include "View.h"

namespace {

class TBenchHost : public TViewHost {
public:
  TBenchHost(int width, int height) : screen(width, height) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override {}
  TSoftwareBitmap screen;
};

TGraphSet& Gallery() {
  static TGraphSet set = [] {
    std::ifstream file(GALLERY_TEXT, std::ios::binary);
    return BuildGraphSet(std::string(std::istreambuf_iterator<char>(file), {}));
  }();
  return set;
}

void BM_FirstFrame(benchmark::State& state, int index) {
  TBenchHost host(1024, 768);
  TView view(host);
  view.ImageWidth = 1024;
  view.ImageHeight = 768;
  view.ImageBorder = 4;
  view.FollowCamera = true;
  for (auto _ : state) {
    view.SetGraph(&Gallery().Doc(index));
    view.StepFrame(1, true);
  }
  view.SetGraph(nullptr);
}

void BM_Cycle(benchmark::State& state, int index) {
  TBenchHost host(200, 200);
  TView view(host);
  view.ImageWidth = view.ImageHeight = 200;
  view.ImageBorder = 4;
  view.FollowCamera = true;
  for (auto _ : state) {
    view.SetGraph(&Gallery().Doc(index));
    view.StartRecording();
    for (int frame = 1; frame <= view.CycleLength(); ++frame) view.StepFrame(frame, true);
    if (!view.Playing()) state.SkipWithError("the recording did not finish");
  }
  view.SetGraph(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 0; i < Gallery().Count(); ++i) {
    const TGraphDoc& doc = Gallery().Doc(i);
    const std::string name = doc.Text(gtName);
    benchmark::RegisterBenchmark(("FirstFrame1024x768/" + name).c_str(), BM_FirstFrame, i)
        ->Unit(benchmark::kMillisecond);
    if (doc.Kind == gkSurface3D) {
      benchmark::RegisterBenchmark(("Cycle200x200/" + name).c_str(), BM_Cycle, i)
          ->Unit(benchmark::kMillisecond);
    }
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
