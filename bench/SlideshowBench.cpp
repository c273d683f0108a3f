// The slideshow saver's costs.  Goals: the first picture within 300 ms of the start with a
// 500 MB archive of 24-megapixel photos; a cross-fade frame at 1920 × 1080 within 33 ms; the
// memory of two monitors flat over 100 changes.
//
//   Slideshow/Open          the archive opened: trailer, directory and list, no picture
//   Slideshow/FirstPicture  opened and the first photo read, checked, decoded and fitted to
//                           1920 × 1080, as the saver does before its first picture shows
//   Slideshow/FadeFrame     one frame of the cross-fade: two 1920 × 1080 frames mixed
//   Slideshow/FadeWindow    (Windows) the same frame mixed and copied to a window by GDI
//   Slideshow/KeyDuringDecode  what ending the saver waits for while a 48-megapixel
//                           progressive JPEG decodes on the worker: the decode abandoned and
//                           the thread joined (goal: within 100 ms), the key 300 ms and
//                           1500 ms into the decode
//   Slideshow/TwoMonitors   100 changes on two monitors (1024 × 768 and 800 × 600) through the
//                           worker thread; counters: resident MB after 10 and 100 changes
//
// The archives are made on the first run in the temporary folder and kept there (about
// 560 MB): a 24-megapixel photo packed as many times as 500 MB takes, and eight 6-megapixel
// ones.  The window benchmark wants a screen of 1920 × 1080 (PLOTVANE_XVFB_SCREEN).
#include <benchmark/benchmark.h>

#include <chrono>
#include <atomic>
#include <condition_variable>
#include <thread>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <string>
#include <vector>

#include "JPEGWriter.h"
#include "ListFile.h"
#include "SlideFrame.h"
#include "SlideStage.h"
#include "Slideshow.h"
#include "ZLIBArchive.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>

#include "DibInfo.h"
#endif

namespace {

namespace fs = std::filesystem;

// A photo-like picture (gradients, edges, some noise) of width × height as a JPEG file.
std::vector<std::uint8_t> Photo(int width, int height, std::uint32_t seed) {
  TJPEGTestImage image;
  image.Width = width;
  image.Height = height;
  image.Quality = 92;
  image.Seed = seed;
  return JPEGTestWrite(image);
}

// An archive as the editor packs it: list.dat, then `count` copies of one photo under names
// of their own.  Made once; later runs find it in place.
std::string Archive(const std::string& name, int width, int height, std::uint64_t minBytes, int minCount) {
  const fs::path folder = fs::temp_directory_path() / "slideshow-bench";
  const fs::path archive = folder / (name + ".pak");
  if (fs::exists(archive)) return archive.string();
  fs::create_directories(folder);
  const std::vector<std::uint8_t> photo = Photo(width, height, 7);
  const int count = std::max<int>(minCount, int((minBytes + photo.size() - 1) / photo.size()));
  std::vector<std::string> entries;
  for (int i = 0; i < count; ++i) {
    const fs::path file = folder / (name + "-" + std::to_string(i) + ".jpg");
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(photo.data()), std::streamsize(photo.size()));
    entries.push_back(file.string());
  }
  const std::string list = (folder / "list.dat").string();
  const std::string text = ListFileEncode("5", entries);
  std::ofstream(list, std::ios::binary).write(text.data(), std::streamsize(text.size()));
  std::vector<std::string> files{list};
  files.insert(files.end(), entries.begin(), entries.end());
  TZLBArchive writer;
  writer.CompressionLevel = fcFastest;
  writer.CreateArchive(archive.string());
  writer.AddFiles(files);
  writer.CloseArchive();
  for (const std::string& file : entries) fs::remove(file);
  return archive.string();
}

const std::string& BigArchive() {
  static const std::string path = Archive("photos-24mp", 6000, 4000, 500ull << 20, 1);
  return path;
}

double ResidentMB() {
#ifdef _WIN32
  PROCESS_MEMORY_COUNTERS counters{};
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return double(counters.WorkingSetSize) / (1 << 20);
#else
  long pages = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> pages >> resident;
  return double(resident) * 4096 / (1 << 20);
#endif
}

void BM_Open(benchmark::State& state) {
  const std::string& archive = BigArchive();
  for (auto _ : state) {
    TSlideshow show(archive);
    if (!show.Message().empty()) state.SkipWithError(show.Message().c_str());
  }
  state.counters["archive_MB"] = double(fs::file_size(archive)) / (1 << 20);
}

void BM_FirstPicture(benchmark::State& state) {
  const std::string& archive = BigArchive();
  for (auto _ : state) {
    TSlideshow show(archive);
    const TSlidePicture picture = show.Decode({0, 0, 1920, 1080}, false, {});
    if (picture.Place.Width != 1620) state.SkipWithError("not fitted to 1920 x 1080");
  }
}

void BM_FadeFrame(benchmark::State& state) {
  const std::size_t count = 1920 * 1080;
  std::vector<std::uint32_t> from(count, 0xFFFF0000u), to(count, 0xFF0000FFu), out(count);
  int weight = 0;
  for (auto _ : state) {
    SlideBlend(from.data(), to.data(), out.data(), count, weight);
    weight = (weight + 8) % 257;
    benchmark::DoNotOptimize(out.data());
  }
}

#ifdef _WIN32
void BM_FadeWindow(benchmark::State& state) {
  const int width = 1920, height = 1080;
  HWND window = CreateWindowExA(WS_EX_TOPMOST, "STATIC", "fade", WS_POPUP | WS_VISIBLE, 0, 0, width, height,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  TSlideBitmap from{width, height, std::vector<std::uint32_t>(std::size_t(width) * height, 0xFFFF0000u)};
  TSlideBitmap to{width, height, std::vector<std::uint32_t>(std::size_t(width) * height, 0xFF0000FFu)};
  TSlideBitmap frame = from;
  const BITMAPINFO info = ToolkitDibInfo(width, -height);
  HDC dc = GetDC(window);
  int weight = 0;
  for (auto _ : state) {
    SlideBlend(from.Pixels.data(), to.Pixels.data(), frame.Pixels.data(), frame.Pixels.size(), weight);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, frame.Pixels.data(), &info, DIB_RGB_COLORS);
    GdiFlush();
    weight = (weight + 8) % 257;
  }
  ReleaseDC(window, dc);
  DestroyWindow(window);
}
#endif

void BM_KeyDuringDecode(benchmark::State& state) {
  static const std::vector<std::uint8_t> photo = [] {
    TJPEGTestImage image;
    image.Width = 8000;
    image.Height = 6000;
    image.Progressive = true;
    return JPEGTestWrite(image);
  }();
  for (auto _ : state) {
    std::atomic<bool> started{false};
    auto worker = std::make_unique<TSlideWorker>(
        [&started](const TSlideJob& job, const std::function<bool()>& cancelled) {
          started = true;
          return SlideDecode("big.jpg", photo, job.Width, job.Height, cancelled);
        },
        [] {});
    worker->Ask({0, 0, 1024, 768});
    while (!started) std::this_thread::yield();
    // The key comes this many milliseconds into the decode (a progressive file of this size
    // takes seconds).
    std::this_thread::sleep_for(std::chrono::milliseconds(state.range(0)));
    const auto pressed = std::chrono::steady_clock::now();
    worker.reset();
    state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - pressed).count());
  }
  state.counters["photo_MB"] = double(photo.size()) / (1 << 20);
}

void BM_TwoMonitors(benchmark::State& state) {
  const std::string archive = Archive("photos-6mp", 3000, 2000, 0, 8);
  for (auto _ : state) {
    TSlideshow show(archive);
    std::mutex lock;
    std::condition_variable wake;
    bool ready = false;
    TSlideWorker worker(
        [&show](const TSlideJob& job, const std::function<bool()>& cancelled) {
          return show.Decode(job, false, cancelled);
        },
        [&] {
          { const std::lock_guard<std::mutex> hold(lock); ready = true; }
          wake.notify_one();
        });
    TSlideStage stage(SlideDealingOrder({{800, 0, 1024, 768}, {0, 0, 800, 600}}), show.EntryCount(),
                      TSlideOrder(show.EntryCount(), false, 1), [&worker](const TSlideJob& job) { worker.Ask(job); });
    // Brings back what the worker did; true when a screen changed.
    auto pump = [&] {
      {
        std::unique_lock<std::mutex> hold(lock);
        wake.wait(hold, [&] { return ready; });
        ready = false;
      }
      bool changed = false;
      for (TSlideDone& done : worker.Take()) changed = !stage.Deliver(std::move(done)).empty() || changed;
      return changed;
    };
    stage.Start();
    while (!stage.Screen(0).Shown || !stage.Screen(1).Shown) pump();
    for (int change = 1; change <= 100; ++change) {
      if (stage.Change().empty()) {
        while (!pump()) {}
      }
      if (change == 10) state.counters["resident_MB_at_10"] = ResidentMB();
    }
    state.counters["resident_MB_at_100"] = ResidentMB();
    state.counters["peak_pictures"] = stage.PeakHeld();
  }
}

}  // namespace

BENCHMARK(BM_Open)->Name("Slideshow/Open")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FirstPicture)->Name("Slideshow/FirstPicture")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FadeFrame)->Name("Slideshow/FadeFrame")->Unit(benchmark::kMillisecond);
#ifdef _WIN32
BENCHMARK(BM_FadeWindow)->Name("Slideshow/FadeWindow")->Unit(benchmark::kMillisecond)->UseRealTime();
#endif
BENCHMARK(BM_KeyDuringDecode)->Name("Slideshow/KeyDuringDecode")->Arg(300)->Arg(1500)
    ->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(5);
BENCHMARK(BM_TwoMonitors)->Name("Slideshow/TwoMonitors")->Unit(benchmark::kSecond)->UseRealTime()->Iterations(1);

BENCHMARK_MAIN();
