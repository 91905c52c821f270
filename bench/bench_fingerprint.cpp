// Cost of the "same recording" check for one pair of four-minute songs: both
// files decoded and fingerprinted, then compared. The argument is the number
// of seconds fingerprinted from each file's start.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "mp3/audio_fingerprint.h"
#include "mp3/fingerprint_match.h"
#include "support/encoder.h"
#include "support/temp_dir.h"
#include "synth/synth_song.h"

namespace {

constexpr double kSongSeconds = 240;

// One song in two encodings, made once for all runs.
struct SongPair {
  SongPair() {
    const std::string wav = dir.Sub("song.wav");
    tarnwick::test::WriteWav(wav, tarnwick::test::RenderSong({7, 7}, 44100, 0, kSongSeconds), 44100,
                             2);
    encoded = tarnwick::test::Encode({"", false, "-b 320"}, wav, first) &&
              tarnwick::test::Encode({"", false, "-V 2"}, wav, second);
  }

  tarnwick::test::TempDir dir;
  const std::string first = dir.Sub("cbr320.mp3");
  const std::string second = dir.Sub("vbr.mp3");
  bool encoded = false;
};

const SongPair& Pair() {
  static const SongPair pair;
  return pair;
}

void BM_FingerprintPair(benchmark::State& state) {
  const SongPair& pair = Pair();
  if (!pair.encoded) return state.SkipWithError("lame failed");
  const auto seconds = static_cast<double>(state.range(0));
  for (auto _ : state) {
    const auto a = tarnwick::FingerprintFile(pair.first, seconds).fingerprint;
    const auto b = tarnwick::FingerprintFile(pair.second, seconds).fingerprint;
    benchmark::DoNotOptimize(tarnwick::FingerprintSimilarity(a, b));
  }
}
BENCHMARK(BM_FingerprintPair)->Arg(120)->Arg(90)->Arg(60)->Arg(30)->Unit(benchmark::kMillisecond);

void BM_Similarity(benchmark::State& state) {
  const SongPair& pair = Pair();
  if (!pair.encoded) return state.SkipWithError("lame failed");
  const auto a = tarnwick::FingerprintFile(pair.first).fingerprint;
  const auto b = tarnwick::FingerprintFile(pair.second).fingerprint;
  for (auto _ : state) benchmark::DoNotOptimize(tarnwick::FingerprintSimilarity(a, b));
}
BENCHMARK(BM_Similarity)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
