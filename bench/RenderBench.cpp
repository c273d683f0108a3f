// Time to render surface frames of the sample graph set at 500 × 500 on the software canvas:
// one frame, and a whole 64-frame recording, split into sampling (formula evaluation,
// projection, cells), sorting and filling.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "GraphText.h"
#include "SoftwareCanvas.h"
#include "View.h"

namespace {

class TBenchHost : public TViewHost {
public:
  TBenchHost() : screen(500, 500) {}
  TCanvas& ControlCanvas() override { return screen; }
  std::unique_ptr<TBitmap> NewBitmap() override { return std::make_unique<TSoftwareBitmap>(); }
  void ReportSyntaxError() override {}
  TSoftwareBitmap screen;
};

TGraphSet& Samples() {
  static TGraphSet set = [] {
    std::ifstream file(SHOWCASE_TEXT, std::ios::binary);
    return BuildGraphSet(std::string(std::istreambuf_iterator<char>(file), {}));
  }();
  return set;
}

void Report(benchmark::State& state, const TRenderProfile& profile) {
  const double frames = profile.frames > 0 ? profile.frames : 1;
  state.counters["sample_ms"] = 1000 * profile.sampling / frames;
  state.counters["sort_ms"] = 1000 * profile.sorting / frames;
  state.counters["fill_ms"] = 1000 * profile.filling / frames;
}

// One frame, as the configuration preview shows its first one.
void BM_SurfaceFrame(benchmark::State& state, int index) {
  TBenchHost host;
  TView view(host);
  view.ImageWidth = view.ImageHeight = 500;
  view.ImageBorder = 4;
  TRenderProfile profile;
  view.Profile = &profile;
  view.SetGraph(&Samples().Doc(index));
  int frame = 1;
  for (auto _ : state) view.StepFrame(frame++ % 64 + 1, true);
  Report(state, profile);
  view.SetGraph(nullptr);
}

// A whole recording: 64 frames rendered and stored, as the saver does before it plays.
void BM_SurfaceRecording(benchmark::State& state, int index) {
  TBenchHost host;
  TView view(host);
  view.ImageWidth = view.ImageHeight = 500;
  view.ImageBorder = 4;
  view.FollowCamera = true;
  TRenderProfile profile;
  view.Profile = &profile;
  for (auto _ : state) {
    view.SetGraph(&Samples().Doc(index));
    view.StartRecording();
    for (int frame = 1; frame <= view.CycleLength(); ++frame) view.StepFrame(frame, true);
    if (!view.Playing()) state.SkipWithError("the recording did not finish");
  }
  Report(state, profile);
  view.SetGraph(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 0; i < Samples().Count(); ++i) {
    const TGraphDoc& doc = Samples().Doc(i);
    if (doc.Kind != gkSurface3D) continue;
    const std::string name = doc.Text(gtName);
    benchmark::RegisterBenchmark(("SurfaceFrame/" + name).c_str(), BM_SurfaceFrame, i)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("SurfaceRecording64/" + name).c_str(), BM_SurfaceRecording, i)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
