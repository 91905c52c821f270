#pragma once

#include <cstdint>
#include <random>
#include <vector>

namespace tarnwick::test {

// Building blocks of generated songs (synth_song.h): instruments, drums,
// noise and a stereo mix rendered for one stretch of time.

// Uniform in [0, 1) and in 0..count-1, from the generator's raw output, so
// that a seed gives the same song with every standard library.
double Uniform(std::mt19937& rng);
int Pick(std::mt19937& rng, int count);

// An instrument: one period of its wave (random harmonic strengths that fall
// with the harmonic's number) and its envelope in seconds.
struct Timbre {
  std::vector<float> wave;
  double attack, decay, sustain, release;
};
Timbre MakeTimbre(std::mt19937& rng);

struct Note {
  double start, length, frequency;
  int instrument;
  double gain, pan;  // pan 0 left, 1 right
};

enum class Drum { kKick, kSnare, kHat };
struct Hit {
  double start;
  Drum drum;
};

class Mix {
 public:
  // The stretch from second `start` on, `seconds` long.
  Mix(int sample_rate, double start, double seconds);

  void AddNote(const Note& note, const Timbre& timbre);
  // A drum hit; `seed` chooses its noise.
  void AddHit(const Hit& hit, std::uint32_t seed);
  // White noise, the same at every sample rate.
  void AddNoise(std::uint32_t seed, double level);
  // Reverb and crowd noise.
  void MakeLive(std::uint32_t seed);
  // Interleaved stereo 16-bit, soft-clipped.
  std::vector<std::int16_t> Samples() const;

 private:
  double Time(std::size_t i) const { return start_ + static_cast<double>(i) / rate_; }
  // The first sample at or after second `time`, clamped to the stretch.
  std::size_t SampleAt(double time) const;
  void AddFilteredNoise(std::uint32_t seed, double cutoff, double level, std::vector<double>& out);
  void Reverb(std::vector<double>& channel) const;

  int rate_;
  double start_;
  std::vector<double> left_, right_;
};

}  // namespace tarnwick::test
