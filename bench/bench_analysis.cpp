// Speed of the MP3 analysis: the frame walk over streams in memory, and
// The analysis over files (a written temporary file, or every .mp3 file of the
// folder named by TARNWICK_BENCH_FOLDER, as scripts/bench-analysis sets it).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mp3/frame_walk.h"
#include "mp3/mp3_info.h"
#include "support/mp3_stream.h"

namespace {

namespace fs = std::filesystem;

// About four minutes: 10000 frames of 1152 samples at 44100 Hz.
constexpr int kFrames = 10000;

std::string VbrTrack() {
  const int rates[] = {128, 160, 192, 224, 256, 320, 256, 192};
  std::vector<int> bitrates;
  for (int i = 0; i < kFrames; ++i) bitrates.push_back(rates[i / 7 % 8]);
  return tarnwick::test::VbrStream(bitrates);
}

void WalkStream(benchmark::State& state, const std::string& stream) {
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(stream.data()),
                                            stream.size());
  for (auto _ : state) benchmark::DoNotOptimize(tarnwick::WalkFrames(bytes));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}

void BM_WalkCbr(benchmark::State& state) {
  WalkStream(state, tarnwick::test::CbrStream(320, kFrames));
}
BENCHMARK(BM_WalkCbr);

void BM_WalkVbr(benchmark::State& state) { WalkStream(state, VbrTrack()); }
BENCHMARK(BM_WalkVbr);

void AnalyseFiles(benchmark::State& state, const std::vector<std::string>& paths) {
  std::int64_t bytes = 0;
  for (const std::string& path : paths) bytes += static_cast<std::int64_t>(fs::file_size(path));
  for (auto _ : state) {
    for (const std::string& path : paths) benchmark::DoNotOptimize(tarnwick::AnalyseMp3(path));
  }
  state.SetBytesProcessed(state.iterations() * bytes);
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paths.size()));
}

void BM_ReadMp3InfoFile(benchmark::State& state) {
  std::string path = (fs::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) return state.SkipWithError("no temporary file");
  close(fd);
  std::ofstream(path, std::ios::binary) << VbrTrack();
  AnalyseFiles(state, {path});
  fs::remove(path);
}
BENCHMARK(BM_ReadMp3InfoFile);

void BM_ReadMp3InfoFolder(benchmark::State& state) {
  const char* folder = getenv("TARNWICK_BENCH_FOLDER");
  if (folder == nullptr) return state.SkipWithError("TARNWICK_BENCH_FOLDER is not set");
  std::vector<std::string> paths;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() == ".mp3") paths.push_back(entry.path().string());
  }
  AnalyseFiles(state, paths);
}
BENCHMARK(BM_ReadMp3InfoFolder)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
