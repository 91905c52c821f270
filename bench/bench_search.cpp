// Speed of the duplicate search and the error detection on generated folders.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>

#include "bench_names.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "search/folder_scan.h"
#include "search/title_rules.h"
#include "support/mp3_stream.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using bench::Spelled;

std::string DistinctName(size_t i) {
  return "Artist " + Spelled(i / 50) + " - Title " + Spelled(i) + ".mp3";
}

// A headless view that keeps nothing, so only the search itself is measured.
class NullView : public test::RecordingView {
 public:
  void AppendRow(const ResultRow&) override {}
  void SetProgressPosition(int) override {}
  void SetStatusText(int, const std::string&) override {}
};

void BM_KeysAndPairFinding(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::vector<std::string> lowered;
  for (size_t i = 0; i < n; ++i) lowered.push_back(LoweredName(DistinctName(i)));
  test::RunFixture fx;
  fx.settings.stopped = false;
  size_t pairs = 0;
  for (auto _ : state) {
    fx.run.tracks.trackKeys = lowered;
    fx.run.tracks.trackPaths.assign(n, "");
    NormaliseKeys(fx.run.tracks.trackKeys);
    FindPairs(fx.run, [&pairs](size_t, size_t) { ++pairs; });
  }
  state.SetComplexityN(state.range(0));
  state.counters["tracks/s"] =
      benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate);
  benchmark::DoNotOptimize(pairs);
}
BENCHMARK(BM_KeysAndPairFinding)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// FindPairs alone, to show that it grows linearly with the folder.
void BM_PairFindingOnly(benchmark::State& state) {
  const size_t n = static_cast<size_t>(state.range(0));
  std::vector<std::string> keys;
  for (size_t i = 0; i < n; ++i) keys.push_back(TitleKey(DistinctName(i)));
  test::RunFixture fx;
  fx.settings.stopped = false;
  fx.run.tracks.trackKeys = keys;
  size_t pairs = 0;
  for (auto _ : state) FindPairs(fx.run, [&pairs](size_t, size_t) { ++pairs; });
  state.SetComplexityN(state.range(0));
  benchmark::DoNotOptimize(pairs);
}
BENCHMARK(BM_PairFindingOnly)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(100000)
    ->Arg(200000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

// A folder of 20,000 files of which 2,000 pairs share a key; show mode.
void BM_DuplicateSearchShowMode(benchmark::State& state) {
  const test::TempDir dir;
  const std::string music = dir.MakeDir("music");
  const std::string song = test::CbrStream(128, 200);  // 5 seconds
  for (size_t i = 0; i < 20000; ++i) {
    const bool twin = i >= 18000;  // the last 2,000 names are copies of the first 2,000
    const std::string name = twin ? "the " + DistinctName(i - 18000) : DistinctName(i);
    test::WriteFileAt(music + name, song);
  }
  test::RunFixture fx;
  NullView view;
  SearchRun run{fx.settings, fx.language, view};
  fx.settings.mp3folder = music;
  for (auto _ : state) RunDuplicateSearch(run);
  state.counters["files/s"] =
      benchmark::Counter(20000, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_DuplicateSearchShowMode)->Unit(benchmark::kMillisecond)->Iterations(3);

// 500 files of 3 to 5 minutes at 128 to 320 kbit/s, with a warm cache.
void BM_ErrorDetection(benchmark::State& state) {
  const test::TempDir dir;
  const std::string music = dir.MakeDir("music");
  std::mt19937 random(7);
  const int bitrates[] = {128, 192, 256, 320};
  double bytes = 0;
  for (int i = 0; i < 500; ++i) {
    const int seconds = 180 + static_cast<int>(random() % 121);
    const std::string song = test::CbrStream(bitrates[i % 4], seconds * 44100 / 1152);
    test::WriteFileAt(music + "song" + std::to_string(i) + ".mp3", song);
    bytes += static_cast<double>(song.size());
  }
  test::RunFixture fx;
  NullView view;
  SearchRun run{fx.settings, fx.language, view};
  fx.settings.mp3folder = music;
  RunErrorDetection(run);  // warms the cache
  for (auto _ : state) RunErrorDetection(run);
  state.counters["MB/s"] =
      benchmark::Counter(bytes / 1e6, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["files/s"] =
      benchmark::Counter(500, benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_ErrorDetection)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace tarnwick

BENCHMARK_MAIN();
