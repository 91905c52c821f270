// Speed of the MP3 analysis: the frame walk over streams in memory, without
// and with the problem scan (the scan may cost at most 10 %), the deep
// decoding check per minute of audio, and the analysis over files (a written
// temporary file, or every .mp3 file of the folder named by
// TARNWICK_BENCH_FOLDER, as scripts/bench-analysis sets it).

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "mp3/decode_check.h"
#include "mp3/frame_walk.h"
#include "mp3/mp3_info.h"
#include "support/encoder.h"
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

// Four minutes of lame VBR output (real side information and Xing frame).
const std::string& EncodedTrack() {
  static const std::string track =
      tarnwick::test::Encoded("bench-vbr.mp3", "lame --quiet -V 2 {in} {out}", 44100, 240.0);
  return track;
}

void WalkStream(benchmark::State& state, const std::string& stream,
                tarnwick::ProblemScan scan = tarnwick::ProblemScan::kSkip) {
  const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(stream.data()),
                                            stream.size());
  for (auto _ : state) benchmark::DoNotOptimize(tarnwick::WalkFrames(bytes, scan));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(stream.size()));
}

void BM_WalkCbr(benchmark::State& state) {
  WalkStream(state, tarnwick::test::CbrStream(320, kFrames));
}
BENCHMARK(BM_WalkCbr);

void BM_WalkCbrWithProblems(benchmark::State& state) {
  WalkStream(state, tarnwick::test::CbrStream(320, kFrames), tarnwick::ProblemScan::kFind);
}
BENCHMARK(BM_WalkCbrWithProblems);

void BM_WalkVbr(benchmark::State& state) { WalkStream(state, VbrTrack()); }
BENCHMARK(BM_WalkVbr);

void BM_WalkVbrWithProblems(benchmark::State& state) {
  WalkStream(state, VbrTrack(), tarnwick::ProblemScan::kFind);
}
BENCHMARK(BM_WalkVbrWithProblems);

void BM_WalkEncoded(benchmark::State& state) { WalkStream(state, EncodedTrack()); }
BENCHMARK(BM_WalkEncoded);

void BM_WalkEncodedWithProblems(benchmark::State& state) {
  WalkStream(state, EncodedTrack(), tarnwick::ProblemScan::kFind);
}
BENCHMARK(BM_WalkEncodedWithProblems);

// The deep check decodes everything; its cost is given per minute of audio
// (the items: one per minute).
void BM_DecodeCheckPerMinute(benchmark::State& state) {
  std::string path = (fs::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) return state.SkipWithError("no temporary file");
  close(fd);
  std::ofstream(path, std::ios::binary) << EncodedTrack();
  for (auto _ : state) benchmark::DoNotOptimize(tarnwick::DecodeCheck(path));
  state.SetItemsProcessed(state.iterations() * 4);
  fs::remove(path);
}
BENCHMARK(BM_DecodeCheckPerMinute)->Unit(benchmark::kMillisecond);

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

// The same file through the analysis that also names problems.
void BM_AnalyseMp3File(benchmark::State& state) {
  std::string path = (fs::temp_directory_path() / "tarnwick-bench-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) return state.SkipWithError("no temporary file");
  close(fd);
  std::ofstream(path, std::ios::binary) << VbrTrack();
  for (auto _ : state) benchmark::DoNotOptimize(tarnwick::AnalyseMp3(path, false));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(fs::file_size(path)));
  fs::remove(path);
}
BENCHMARK(BM_AnalyseMp3File);

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
