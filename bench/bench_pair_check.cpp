// What the pair check adds to a move-mode run: a collection of 200 files, of
// which 10 % are duplicates (20 four-minute songs, each in a second
// encoding), searched in move mode with the check off and on. Each
// iteration starts from a fresh hard-linked copy of the collection, so the
// files stay in the page cache (the warm case, where the check weighs most).

#include <benchmark/benchmark.h>

#include <filesystem>
#include <optional>
#include <string>

#include "search/duplicate_search.h"
#include "support/encoder.h"
#include "support/mp3_stream.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "synth/synth_song.h"

namespace {

namespace fs = std::filesystem;
using tarnwick::test::TempDir;

constexpr int kSongs = 20;
constexpr int kOtherFiles = 180;
constexpr double kSongSeconds = 240;

// "Song <letters>" named so that no two songs share a title key.
std::string Title(int song) {
  const std::string_view letters = "bdfgjlmnprsvwxz";
  return std::string{letters[song / 15 % 15], letters[song % 15], letters[song * 7 % 15]};
}

struct Collection {
  Collection() {
    for (int song = 0; song < kSongs; ++song) {
      const std::string wav = dir.Sub("song.wav");
      tarnwick::test::WriteWav(wav,
                               tarnwick::test::RenderSong({static_cast<std::uint32_t>(song + 1), 3},
                                                          44100, 0, kSongSeconds),
                               44100, 2);
      ok = ok &&
           tarnwick::test::Encode({"", false, "-b 256"}, wav,
                                  pristine + "Artist - Song " + Title(song) + ".mp3") &&
           tarnwick::test::Encode({"", false, "-V 4"}, wav,
                                  pristine + "The Artist - Song " + Title(song) + ".mp3");
    }
    for (int other = 0; other < kOtherFiles; ++other) {
      tarnwick::test::WriteFileAt(pristine + "Other " + Title(other + kSongs) + ".mp3",
                                  tarnwick::test::CbrStream(128, 9000));
    }
  }

  TempDir dir;
  const std::string pristine = dir.MakeDir("pristine");
  bool ok = true;
};

const Collection& TheCollection() {
  static const Collection collection;
  return collection;
}

void BM_MoveRun(benchmark::State& state) {
  const Collection& collection = TheCollection();
  if (!collection.ok) return state.SkipWithError("lame failed");
  tarnwick::test::RunFixture fx;
  fx.settings.doubleMode = tarnwick::kDoubleMove;
  fx.settings.checkpairs = state.range(0) != 0;
  std::optional<TempDir> work;
  for (auto _ : state) {
    state.PauseTiming();
    work.reset();
    work.emplace();
    fs::copy(collection.pristine, work->path() + "music",
             fs::copy_options::create_hard_links | fs::copy_options::recursive);
    fx.UseFoldersIn(*work);
    state.ResumeTiming();
    tarnwick::RunDuplicateSearch(fx.run);
  }
  state.counters["moved"] = benchmark::Counter(static_cast<double>(fx.view.actions.size()),
                                               benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_MoveRun)->ArgName("check")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
