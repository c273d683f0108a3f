// Decoding a 4000 × 3000 camera-sized JPEG file: the reader at full size, the image picker's
// preview (decoded scaled for the 176 × 150 box and stretched into it), and libjpeg's own
// djpeg on the same file, run as a program writing its PPM output to the null device.
// djpeg's time includes starting a process, so a run of djpeg on a 1 × 1 file is measured
// too and taken off (not -version: under Wine that run takes longer than a decode).  All times are wall-clock: djpeg runs in another
// process.  Goals: full decode within 1.1 × djpeg's decode; preview at least 4 × faster than
// the full decode.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "JPEGReader.h"
#include "JPEGWriter.h"
#include "PictureFormat.h"
#include "PictureStretch.h"

#ifdef _WIN32
#include <windows.h>

#include "KernelHandle.h"
#else
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace {

constexpr int PhotoWidth = 4000, PhotoHeight = 3000;
constexpr int BoxWidth = 176, BoxHeight = 150;

// The photo, written once into the temporary folder (djpeg reads it from there too).
const std::string& PhotoFile() {
  static const std::string file = [] {
    TJPEGTestImage image;
    image.Width = PhotoWidth;
    image.Height = PhotoHeight;
    image.Quality = 90;   // 4:2:0, as cameras write
    const std::vector<uint8_t> bytes = JPEGTestWrite(image);
    const std::string path = (std::filesystem::temp_directory_path() / "jpeg-bench-photo.jpg").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    std::printf("photo: %d x %d, %zu bytes, %s\n", PhotoWidth, PhotoHeight, bytes.size(), path.c_str());
    return path;
  }();
  return file;
}

const std::string& TinyFile() {
  static const std::string file = [] {
    TJPEGTestImage image;
    image.Width = image.Height = 1;
    const std::vector<uint8_t> bytes = JPEGTestWrite(image);
    const std::string path = (std::filesystem::temp_directory_path() / "jpeg-bench-tiny.jpg").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                std::streamsize(bytes.size()));
    return path;
  }();
  return file;
}

// The djpeg beside this program on Windows (the build copies it there), Debian's natively.
std::string DjpegProgram() {
#ifdef _WIN32
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  return (std::filesystem::path(self).parent_path() / "djpeg.exe").string();
#else
  return DJPEG;
#endif
}

// Runs djpeg with `arguments` and waits for it; false when it could not run or failed.
bool RunDjpeg(const std::vector<std::string>& arguments) {
#ifdef _WIN32
  std::string line;
  for (const std::string& part : arguments) {
    if (line.empty()) line.append(1, '"').append(DjpegProgram()).append(1, '"');
    line.append(" \"").append(part).append(1, '"');
  }
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &process)) {
    return false;
  }
  const TKernelHandle processHandle(process.hProcess);
  const TKernelHandle threadHandle(process.hThread);
  WaitForSingleObject(processHandle.Get(), INFINITE);
  DWORD status = 1;
  GetExitCodeProcess(processHandle.Get(), &status);
  return status == 0;
#else
  const std::string program = DjpegProgram();
  std::vector<char*> argv = {const_cast<char*>(program.c_str())};
  for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t child = 0;
  const int failed = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 1;
  if (failed || waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

#ifdef _WIN32
constexpr const char* NullDevice = "NUL";
#else
constexpr const char* NullDevice = "/dev/null";
#endif

void BM_Full(benchmark::State& state) {
  for (auto _ : state) {
    const TJPEGPicture picture = JPEGRead(PictureReadFile(PhotoFile()));
    benchmark::DoNotOptimize(picture.Pixels.data());
  }
}

void BM_Preview(benchmark::State& state) {
  TJPEGReadOptions options;
  options.DisplayWidth = BoxWidth;
  options.DisplayHeight = BoxHeight;
  for (auto _ : state) {
    const TJPEGPicture picture = JPEGRead(PictureReadFile(PhotoFile()), options);
    const std::vector<uint32_t> shown =
        PictureStretch(picture.Pixels.data(), picture.Width, picture.Height, BoxWidth, BoxHeight);
    benchmark::DoNotOptimize(shown.data());
  }
}

void BM_Djpeg(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunDjpeg({"-outfile", NullDevice, PhotoFile()})) {
      state.SkipWithError(("cannot run " + DjpegProgram()).c_str());
      return;
    }
  }
}

void BM_DjpegStart(benchmark::State& state) {
  for (auto _ : state) {
    if (!RunDjpeg({"-outfile", NullDevice, TinyFile()})) {
      state.SkipWithError(("cannot run " + DjpegProgram()).c_str());
      return;
    }
  }
}

// The table, then the comparisons from the medians (or single runs) of wall-clock time.
class TJpegReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.function_name;
      if (run.run_type == Run::RT_Iteration && !ms_.contains(name)) {
        ms_[name] = run.GetAdjustedRealTime();  // in the benchmarks' unit, ms
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        ms_[name] = run.GetAdjustedRealTime();  // in the benchmarks' unit, ms
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    auto at = [&](const char* name) { return ms_.contains(name) ? ms_[name] : 0.0; };
    const double full = at("full"), preview = at("preview"), djpeg = at("djpeg"),
                 start = at("djpeg_start");
    std::printf("\nwall-clock ms: full %.1f, preview %.1f, djpeg %.1f (of which process start %.1f)\n",
                full, preview, djpeg, start);
    if (full > 0 && djpeg > start) {
      std::printf("full decode / djpeg decode: %.2f (goal <= 1.1); / whole djpeg run: %.2f\n",
                  full / (djpeg - start), full / djpeg);
    }
    if (full > 0 && preview > 0) {
      std::printf("full decode / preview: %.1f (goal >= 4)\n", full / preview);
    }
  }

private:
  std::map<std::string, double> ms_;
};

}  // namespace

int main(int argc, char** argv) {
  PhotoFile();
  benchmark::RegisterBenchmark("full", BM_Full)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("preview", BM_Preview)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("djpeg", BM_Djpeg)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::RegisterBenchmark("djpeg_start", BM_DjpegStart)->Unit(benchmark::kMillisecond)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  TJpegReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove(PhotoFile(), ignored);
  std::filesystem::remove(TinyFile(), ignored);
  return 0;
}
