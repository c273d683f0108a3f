// Speed of the archive writer at the editor's level (fcFastest) on 50 MB of mixed files: half
// compressible text, half random bytes standing for pictures that are already compressed.
// The bound it is measured against is zlib's own level-1 compress plus crc32 over the same
// bytes in memory; the writer's extra work is reading the files, the temporary file, the
// directory, the move and the verifying re-read.
//
// Prints the writer's MB/s (bytes_per_second), the bound's MB/s and their ratio.
#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>

#include "ZLIBArchive.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t FileCount = 20;
constexpr std::size_t FileSize = 2'500'000;  // 20 x 2.5 MB = 50 MB

struct Corpus {
  fs::path folder;
  std::vector<std::string> paths;
  std::vector<std::vector<std::uint8_t>> contents;
  std::size_t total = 0;

  Corpus() {
    folder = fs::temp_directory_path() / ("zlb-bench-" + std::to_string(std::random_device()()));
    fs::create_directories(folder);
    std::mt19937 random(42);
    static const char* const words[] = {"slide ", "image ", "interval ", "project ", "list\r\n",
                                        "archive ", "colour ", "picture ", "1024 ", "768 "};
    for (std::size_t i = 0; i < FileCount; ++i) {
      std::vector<std::uint8_t> bytes;
      bytes.reserve(FileSize);
      if (i % 2 == 0) {
        while (bytes.size() < FileSize)
          for (const char* c = words[random() % 10]; *c && bytes.size() < FileSize; ++c) bytes.push_back(*c);
      } else {
        bytes.resize(FileSize);
        for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
      }
      const fs::path path = folder / ("member" + std::to_string(i) + (i % 2 ? ".jpg" : ".txt"));
      std::ofstream(path, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      paths.push_back(path.string());
      total += bytes.size();
      contents.push_back(std::move(bytes));
    }
  }
  ~Corpus() {
    std::error_code ignored;
    fs::remove_all(folder, ignored);
  }
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_ArchiveWriterFastest(benchmark::State& state) {
  static Corpus corpus;
  const std::string target = (corpus.folder / "bench.pak").string();
  std::vector<std::uint8_t> out(compressBound(static_cast<uLong>(FileSize)));
  double boundSeconds = 0, writerSeconds = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& content : corpus.contents) {
      uLongf length = static_cast<uLongf>(out.size());
      compress2(out.data(), &length, content.data(), static_cast<uLong>(content.size()), 1);
      benchmark::DoNotOptimize(crc32(0, content.data(), static_cast<uInt>(content.size())));
      benchmark::DoNotOptimize(length);
    }
    const auto boundEnd = std::chrono::steady_clock::now();

    fs::remove(target);
    TZLBArchive archive;
    archive.CompressionLevel = fcFastest;
    archive.CreateArchive(target);
    std::vector<std::string> list = corpus.paths;
    const TZLBWriteResult result = archive.AddFiles(list);
    archive.CloseArchive();
    const auto end = std::chrono::steady_clock::now();
    if (!result.Written) state.SkipWithError(result.Error.c_str());

    boundSeconds += Seconds(boundEnd - start);
    writerSeconds += Seconds(end - boundEnd);
    state.SetIterationTime(Seconds(end - boundEnd));
  }
  fs::remove(target);
  const double bytes = double(corpus.total) * double(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
  state.counters["bound_MB/s"] = bytes / boundSeconds / 1e6;
  state.counters["writer_MB/s"] = bytes / writerSeconds / 1e6;
  state.counters["ratio"] = writerSeconds / boundSeconds;
}
BENCHMARK(BM_ArchiveWriterFastest)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
