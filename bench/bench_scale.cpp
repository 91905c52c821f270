// Large collections: a folder of 100,000 files and a tree of 10,000 folders,
// through both runs. Reports the time and the peak memory of the process.

#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include "bench_names.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "support/mp3_stream.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using bench::Spelled;

double PeakMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Keeps only the number of rows, as a window with a long list would.
class CountingView : public test::RecordingView {
 public:
  size_t appended = 0;
  void AppendRow(const ResultRow&) override { ++appended; }
  void SetProgressPosition(int) override {}
  void SetStatusText(int, const std::string&) override {}
};

// One folder of `files` songs, every tenth a copy of another under a variant name.
void WriteFlatFolder(const std::string& folder, size_t files) {
  const std::string song = test::CbrStream(32, 4);
  for (size_t i = 0; i < files; ++i) {
    const bool copy = i % 10 == 9;
    const std::string name = (copy ? "The " : "") + Spelled(copy ? i - 1 : i) + " - Song.mp3";
    test::WriteFileAt(folder + name, song);
  }
}

// A tree of `folders` folders, ten per level, two songs (one pair) in each.
void WriteTree(const test::TempDir& dir, size_t folders) {
  const std::string song = test::CbrStream(32, 4);
  for (size_t i = 0; i < folders; ++i) {
    std::string path = "tree/";
    for (size_t n = i; n > 0; n /= 10) path += Spelled(n % 10) + "/";
    const std::string folder = dir.MakeDir(path);
    test::WriteFileAt(folder + "Song.mp3", song);
    test::WriteFileAt(folder + "The Song.mp3", song);
  }
}

template <typename Run>
void MeasureRun(benchmark::State& state, const std::string& folder, bool recursive, Run run_kind) {
  test::RunFixture fx;
  CountingView view;
  SearchRun run{fx.settings, fx.language, view};
  fx.settings.mp3folder = folder;
  fx.settings.searchinsubfolder = recursive;
  for (auto _ : state) run_kind(run);
  state.counters["rows"] = static_cast<double>(view.appended);
  state.counters["peak_MB"] = PeakMegabytes();
}

void BM_FlatFolder100k(benchmark::State& state) {
  const test::TempDir dir;
  WriteFlatFolder(dir.MakeDir("music"), 100000);
  if (state.range(0) == 0) {
    MeasureRun(state, dir.path() + "music/", false, RunDuplicateSearch);
  } else {
    MeasureRun(state, dir.path() + "music/", false, RunErrorDetection);
  }
}
BENCHMARK(BM_FlatFolder100k)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("errors")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

void BM_Tree10kFolders(benchmark::State& state) {
  const test::TempDir dir;
  WriteTree(dir, 10000);
  if (state.range(0) == 0) {
    MeasureRun(state, dir.path() + "tree/", true, RunDuplicateSearch);
  } else {
    MeasureRun(state, dir.path() + "tree/", true, RunErrorDetection);
  }
}
BENCHMARK(BM_Tree10kFolders)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("errors")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarnwick

BENCHMARK_MAIN();
