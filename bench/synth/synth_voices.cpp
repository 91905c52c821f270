#include "synth/synth_voices.h"

#include <algorithm>
#include <cmath>

namespace tarnwick::test {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kWaveSize = 2048;
constexpr int kHarmonics = 10;
// Noise is drawn on this grid whatever the output rate, so that a song
// rendered at two rates holds the same noise.
constexpr double kNoiseRate = 44100;

// White noise in [-1, 1) as a function of time: the SplitMix64 finaliser of
// the seed and the grid index.
double Noise(std::uint32_t seed, double t) {
  std::uint64_t x = std::uint64_t{seed} << 40 ^ static_cast<std::uint64_t>(t * kNoiseRate);
  x += 0x9E3779B97F4A7C15;
  x = (x ^ x >> 30) * 0xBF58476D1CE4E5B9;
  x = (x ^ x >> 27) * 0x94D049BB133111EB;
  x ^= x >> 31;
  return static_cast<double>(x >> 11) * 0x1.0p-52 - 1.0;
}

// Coefficient of a one-pole low-pass filter with the given corner frequency.
double Smoothing(double corner, int rate) { return 1 - std::exp(-2 * kPi * corner / rate); }

double WaveAt(const Timbre& timbre, double phase) {
  const double cycle = phase - std::floor(phase);
  return timbre.wave[static_cast<int>(cycle * kWaveSize) % kWaveSize];
}

// Attack, then decay towards the sustain level while the note is held.
double HeldLevel(const Timbre& timbre, double t) {
  if (t < timbre.attack) return t / timbre.attack;
  return timbre.sustain + (1 - timbre.sustain) * std::exp(-(t - timbre.attack) / timbre.decay);
}

double Envelope(const Timbre& timbre, double t, double length) {
  if (t < length) return HeldLevel(timbre, t);
  return HeldLevel(timbre, length) * std::max(0.0, 1 - (t - length) / timbre.release);
}

struct DrumShape {
  double length;  // seconds until silence
  double corner;  // Hz below which its noise is filtered out
};
constexpr DrumShape kDrums[] = {{0.5, 0}, {0.3, 800}, {0.1, 6000}};

// A kick is a sine falling from 150 to 50 Hz (the phase is the integral of
// 50 + 100 e^(-t/0.03) Hz); a snare is noise with a 185 Hz tone; a hat is
// short high noise.
double DrumSample(Drum drum, double t, double high_noise) {
  switch (drum) {
    case Drum::kKick:
      return 0.55 * std::sin(2 * kPi * (50 * t + 3 * (1 - std::exp(-t / 0.03)))) *
             std::exp(-t / 0.15);
    case Drum::kSnare:
      return 0.3 * high_noise * std::exp(-t / 0.09) +
             0.2 * std::sin(2 * kPi * 185 * t) * std::exp(-t / 0.05);
    case Drum::kHat: return 0.12 * high_noise * std::exp(-t / 0.03);
  }
  return 0;
}

}  // namespace

double Uniform(std::mt19937& rng) { return rng() * 0x1.0p-32; }

int Pick(std::mt19937& rng, int count) { return static_cast<int>(Uniform(rng) * count); }

Timbre MakeTimbre(std::mt19937& rng) {
  Timbre timbre{std::vector<float>(kWaveSize), 0.005 + 0.045 * Uniform(rng),
                0.05 + 0.45 * Uniform(rng), 0.3 + 0.6 * Uniform(rng), 0.03 + 0.17 * Uniform(rng)};
  const double tilt = 0.7 + Uniform(rng);
  for (int harmonic = 1; harmonic <= kHarmonics; ++harmonic) {
    const double strength = (0.2 + 0.8 * Uniform(rng)) / std::pow(harmonic, tilt);
    const double phase = 2 * kPi * Uniform(rng);
    for (int i = 0; i < kWaveSize; ++i) {
      timbre.wave[i] += strength * std::sin(2 * kPi * harmonic * i / kWaveSize + phase);
    }
  }
  const float peak = *std::max_element(timbre.wave.begin(), timbre.wave.end());
  for (float& value : timbre.wave) value /= peak;
  return timbre;
}

Mix::Mix(int sample_rate, double start, double seconds)
    : rate_(sample_rate),
      start_(start),
      left_(static_cast<std::size_t>(seconds * sample_rate)),
      right_(left_.size()) {}

std::size_t Mix::SampleAt(double time) const {
  return static_cast<std::size_t>(
      std::clamp(std::ceil((time - start_) * rate_), 0.0, static_cast<double>(left_.size())));
}

void Mix::AddNote(const Note& note, const Timbre& timbre) {
  const std::size_t end = SampleAt(note.start + note.length + timbre.release);
  for (std::size_t i = SampleAt(note.start); i < end; ++i) {
    const double t = Time(i) - note.start;
    const double value =
        note.gain * Envelope(timbre, t, note.length) * WaveAt(timbre, note.frequency * t);
    left_[i] += value * (1 - note.pan);
    right_[i] += value * note.pan;
  }
}

void Mix::AddHit(const Hit& hit, std::uint32_t seed) {
  const DrumShape& shape = kDrums[static_cast<int>(hit.drum)];
  const double smoothing = Smoothing(shape.corner, rate_);
  double low = 0;
  const std::size_t end = SampleAt(hit.start + shape.length);
  for (std::size_t i = SampleAt(hit.start); i < end; ++i) {
    const double t = Time(i) - hit.start;
    const double noise = Noise(seed, t);
    low += smoothing * (noise - low);
    const double value = DrumSample(hit.drum, t, noise - low);
    left_[i] += value;
    right_[i] += value;
  }
}

void Mix::AddNoise(std::uint32_t seed, double level) {
  for (std::size_t i = 0; i < left_.size(); ++i) {
    left_[i] += level * Noise(seed, Time(i));
    right_[i] += level * Noise(seed + 1, Time(i));
  }
}

void Mix::MakeLive(std::uint32_t seed) {
  AddFilteredNoise(seed + 2, 1200, 0.6, left_);
  AddFilteredNoise(seed + 3, 1200, 0.6, right_);
  Reverb(left_);
  Reverb(right_);
}

// Low-passed noise that swells and fades every five seconds, like a crowd.
void Mix::AddFilteredNoise(std::uint32_t seed, double cutoff, double level,
                           std::vector<double>& out) {
  const double smoothing = Smoothing(cutoff, rate_);
  double low = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    low += smoothing * (Noise(seed, Time(i)) - low);
    out[i] += level * (0.7 + 0.3 * std::sin(2 * kPi * 0.2 * Time(i))) * low;
  }
}

// Schroeder's reverberator: four feedback combs in parallel, then two
// all-pass filters in series; a third of the result is added to the sound.
void Mix::Reverb(std::vector<double>& channel) const {
  const std::size_t size = channel.size();
  std::vector<double> wet(size);
  for (const double delay : {0.0297, 0.0371, 0.0411, 0.0437}) {
    const auto d = static_cast<std::size_t>(delay * rate_);
    std::vector<double> comb(channel);
    for (std::size_t i = d; i < size; ++i) comb[i] += 0.77 * comb[i - d];
    for (std::size_t i = 0; i < size; ++i) wet[i] += comb[i] / 4;
  }
  for (const double delay : {0.005, 0.0017}) {
    const auto d = static_cast<std::size_t>(delay * rate_);
    std::vector<double> out(size);
    for (std::size_t i = 0; i < size; ++i) {
      out[i] = -0.7 * wet[i] + (i >= d ? wet[i - d] + 0.7 * out[i - d] : 0);
    }
    wet.swap(out);
  }
  for (std::size_t i = 0; i < size; ++i) channel[i] += wet[i] / 3;
}

std::vector<std::int16_t> Mix::Samples() const {
  std::vector<std::int16_t> samples;
  samples.reserve(2 * left_.size());
  for (std::size_t i = 0; i < left_.size(); ++i) {
    for (const double value : {left_[i], right_[i]}) {
      samples.push_back(static_cast<std::int16_t>(std::lround(29490 * std::tanh(value))));
    }
  }
  return samples;
}

}  // namespace tarnwick::test
