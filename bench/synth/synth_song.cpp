#include "synth/synth_song.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <random>

#include "synth/synth_voices.h"

namespace tarnwick::test {
namespace {

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};
constexpr int kStepsPerBar = 16;  // sixteenth notes in 4/4
// Each section plays its own four chords, one a bar, twice.
constexpr int kSectionBars = 8;

// The parts of a song that its seed fixes.
struct Style {
  double step_seconds;
  int root;  // MIDI note of the key
  const std::array<int, 7>* scale;
  std::array<std::uint16_t, 3> drums;  // kick, snare, hat: one bit per step
  std::array<Timbre, 3> timbres;       // lead, pad, bass
};

double Frequency(const Style& style, int degree, int octave) {
  const int octaves = degree / 7 + octave;
  const int note = style.root + 12 * octaves + (*style.scale)[degree % 7];
  return 440.0 * std::exp2((note - 69) / 12.0);
}

std::uint16_t RandomSteps(std::mt19937& rng, std::uint16_t always, double chance) {
  std::uint16_t steps = always;
  for (int step = 0; step < kStepsPerBar; ++step) {
    if (Uniform(rng) < chance) steps |= 1u << step;
  }
  return steps;
}

Style MakeStyle(const SongSpec& song) {
  std::mt19937 rng(song.seed);
  Style style;
  // 92 to 132 beats a minute; a live take plays 3 % slower.
  style.step_seconds = 15.0 / (92 + Pick(rng, 41)) * (song.live ? 1.03 : 1.0);
  style.root = 45 + Pick(rng, 12);
  style.scale = Pick(rng, 2) == 0 ? &kMajor : &kMinor;
  style.drums = {RandomSteps(rng, 0x0101, 0.15), RandomSteps(rng, 0x1010, 0.08),
                 RandomSteps(rng, 0x5555, 0.3)};
  // A live take keeps the notes but draws its instruments anew.
  std::mt19937 sound_rng(song.live ? ~song.seed : song.seed);
  for (Timbre& timbre : style.timbres) timbre = MakeTimbre(sound_rng);
  return style;
}

// Scale degrees of four chords, from the tonic.
std::array<int, 4> Progression(std::mt19937& rng) {
  return {0, 1 + Pick(rng, 6), 1 + Pick(rng, 6), 1 + Pick(rng, 6)};
}

void AddHarmony(const Style& style, int chord, double at, std::vector<Note>& notes) {
  const double bar_seconds = kStepsPerBar * style.step_seconds;
  for (const int third : {0, 2, 4}) {
    notes.push_back({at, bar_seconds, Frequency(style, chord + third, 0), 1, 0.09, 0.3});
  }
  for (int beat = 0; beat < 4; ++beat) {
    const double start = at + beat * 4 * style.step_seconds;
    notes.push_back({start, 3 * style.step_seconds, Frequency(style, chord, -2), 2, 0.22, 0.5});
  }
}

// Eighth notes, each held one or two eighths or left out, wandering over two
// octaves of the scale.
void AddMelody(const Style& style, double at, std::mt19937& rng, int& degree,
               std::vector<Note>& notes) {
  for (int step = 0; step < kStepsPerBar; step += 2) {
    degree = std::clamp(degree + Pick(rng, 7) - 3, 0, 13);
    const int length = 1 + Pick(rng, 2);
    if (Uniform(rng) < 0.8) {
      notes.push_back({at + step * style.step_seconds, 2 * length * style.step_seconds,
                       Frequency(style, degree, 1), 0, 0.25, 0.6});
    }
  }
}

void AddDrums(const Style& style, double at, std::vector<Hit>& hits) {
  for (int step = 0; step < kStepsPerBar; ++step) {
    for (int drum = 0; drum < 3; ++drum) {
      if (style.drums[drum] >> step & 1) {
        hits.push_back({at + step * style.step_seconds, static_cast<Drum>(drum)});
      }
    }
  }
}

}  // namespace

std::vector<std::int16_t> RenderSong(const SongSpec& song, int sample_rate, double start,
                                     double seconds) {
  const Style style = MakeStyle(song);
  std::mt19937 tune_rng(song.melody_seed);
  std::array<int, 4> progression;
  int degree = 7;
  std::vector<Note> notes;
  std::vector<Hit> hits;
  const double bar_seconds = kStepsPerBar * style.step_seconds;
  for (int bar = 0; bar * bar_seconds < start + seconds; ++bar) {
    if (bar % kSectionBars == 0) progression = Progression(tune_rng);
    AddHarmony(style, progression[bar % 4], bar * bar_seconds, notes);
    AddMelody(style, bar * bar_seconds, tune_rng, degree, notes);
    AddDrums(style, bar * bar_seconds, hits);
  }
  Mix mix(sample_rate, start, seconds);
  for (const Note& note : notes) mix.AddNote(note, style.timbres[note.instrument]);
  for (std::size_t i = 0; i < hits.size(); ++i) mix.AddHit(hits[i], song.seed + i);
  mix.AddNoise(song.seed, 0.01);
  if (song.live) mix.MakeLive(song.seed);
  return mix.Samples();
}

}  // namespace tarnwick::test
