// Calibrates the "same recording" threshold and measures how far the play
// times of one recording differ between encodings. Generated songs
// (tests/synth/synth_song.h) are encoded with lame and ffmpeg in many ways;
// the program prints the similarity of every pair of encodings of one song and
// of each song against its different versions (another song, another melody
// on the same instruments, another part, a live take), then the play times.
//
//   fingerprint_calibration [SECONDS [SONGS]]   (default 60 seconds, 6 songs)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "mp3/audio_fingerprint.h"
#include "mp3/fingerprint_match.h"
#include "mp3/frame_header.h"
#include "mp3/mp3_info.h"
#include "support/encoder.h"
#include "support/temp_dir.h"
#include "synth/synth_song.h"

namespace {

using tarnwick::AudioFingerprint;
using tarnwick::test::Encoding;
using tarnwick::test::SongSpec;

// Every way one recording is encoded; all come from the 44100 Hz rendering
// but the last, which encodes a 48000 Hz rendering.
constexpr Encoding kSameEncodings[] = {
    {"lame -b 320", false, "-b 320"},
    {"lame -b 192", false, "-b 192"},
    {"lame -b 128", false, "-b 128"},
    {"lame -b 64", false, "-b 64"},
    {"lame -V 0", false, "-V 0"},
    {"lame -V 5", false, "-V 5"},
    {"lame -V 9", false, "-V 9"},
    {"lame -m m -b 96", false, "-m m -b 96"},
    {"lame --resample 48 -b 192", false, "--resample 48 -b 192"},
    {"ffmpeg -b:a 256k", true, "-b:a 256k"},
    {"ffmpeg -q:a 4", true, "-q:a 4"},
    {"ffmpeg -ar 48000 -b:a 160k", true, "-ar 48000 -b:a 160k"},
    {"ffmpeg -ar 32000 -b:a 96k", true, "-ar 32000 -b:a 96k"},
    {"ffmpeg -ar 22050 -b:a 64k", true, "-ar 22050 -b:a 64k"},
    {"48 kHz rendering, lame -b 192", false, "-b 192"},
};
constexpr int kNativeRateEncodings = std::size(kSameEncodings) - 1;

// The ways each different version is encoded.
constexpr Encoding kOtherEncodings[] = {
    {"lame -b 192", false, "-b 192"},
    {"lame -V 5", false, "-V 5"},
    {"ffmpeg -ar 48000 -b:a 160k", true, "-ar 48000 -b:a 160k"},
};

// The play time the frame walk adds up: every frame, the LAME/Xing header
// frame too, plays 1152 samples (576 in MPEG-2 and 2.5 Layer III).
double FrameStreamSeconds(const std::string& path) {
  const std::string bytes = tarnwick::test::ReadFile(path);
  const auto* b = reinterpret_cast<const std::uint8_t*>(bytes.data());
  std::size_t at = 0;
  if (bytes.starts_with("ID3")) at = 10 + (b[6] << 21 | b[7] << 14 | b[8] << 7 | b[9]);
  while (at + 4 < bytes.size() && !tarnwick::IsFrameSync(b[at], b[at + 1])) ++at;
  const tarnwick::TFrameHeader first =
      tarnwick::DecodeFrameHeader(std::span<const std::uint8_t, 4>(b + at, 4), 0);
  const int samples = first.version == 3 ? 1152 : 576;
  return tarnwick::AnalyseMp3(path).info.Frames * static_cast<double>(samples) / first.sample_rate;
}

struct Version {
  const char* label;
  SongSpec song;
  double start;
};

struct Encoded {
  AudioFingerprint fingerprint;
  double frame_stream_seconds;
};

class Calibration {
 public:
  explicit Calibration(double seconds) : seconds_(seconds) {}

  void RunSong(std::uint32_t seed);
  void RunShortClip(double seconds);
  void Print() const;

 private:
  std::string Render(const SongSpec& song, int rate, double start, double seconds);
  Encoded Encode(const std::string& wav, const Encoding& encoding);
  std::vector<Encoded> EncodeAllWays(const SongSpec& song, double seconds);
  void Record(const std::string& label, const AudioFingerprint& a, const AudioFingerprint& b);
  void RecordPlayTimes(const std::string& label, const std::vector<Encoded>& encoded,
                       double seconds);

  double seconds_;
  tarnwick::test::TempDir dir_;
  int files_ = 0;
  std::map<std::string, std::vector<double>> similarities_;
  std::map<std::string, std::vector<double>> play_times_;
};

std::string Calibration::Render(const SongSpec& song, int rate, double start, double seconds) {
  const std::string wav = dir_.Sub(std::to_string(rate) + ".wav");
  tarnwick::test::WriteWav(wav, tarnwick::test::RenderSong(song, rate, start, seconds), rate, 2);
  return wav;
}

Encoded Calibration::Encode(const std::string& wav, const Encoding& encoding) {
  const std::string mp3 = dir_.Sub(std::to_string(++files_) + ".mp3");
  if (!tarnwick::test::Encode(encoding, wav, mp3)) {
    std::fprintf(stderr, "encoding failed: %s\n", encoding.label);
    std::exit(1);
  }
  Encoded encoded{tarnwick::FingerprintFile(mp3).fingerprint, FrameStreamSeconds(mp3)};
  std::filesystem::remove(mp3);
  return encoded;
}

std::vector<Encoded> Calibration::EncodeAllWays(const SongSpec& song, double seconds) {
  const std::string wav = Render(song, 44100, 0, seconds);
  std::vector<Encoded> encoded;
  for (int i = 0; i < kNativeRateEncodings; ++i) encoded.push_back(Encode(wav, kSameEncodings[i]));
  const std::string wav48 = Render(song, 48000, 0, seconds);
  encoded.push_back(Encode(wav48, kSameEncodings[kNativeRateEncodings]));
  return encoded;
}

// The similarity of the whole fingerprints, and of their first 30 s and 15 s.
void Calibration::Record(const std::string& label, const AudioFingerprint& a,
                         const AudioFingerprint& b) {
  similarities_[label].push_back(tarnwick::FingerprintSimilarity(a, b));
  for (const int items : {240, 120}) {
    const auto first = [items](const AudioFingerprint& f) {
      return AudioFingerprint{
          {f.items.begin(), f.items.begin() + std::min<std::size_t>(items, f.items.size())}};
    };
    similarities_[label + ", first " + std::to_string(items) + " items"].push_back(
        tarnwick::FingerprintSimilarity(first(a), first(b)));
  }
}

void Calibration::RecordPlayTimes(const std::string& label, const std::vector<Encoded>& encoded,
                                  double seconds) {
  for (const Encoded& e : encoded) {
    play_times_[label + ": decoded - true"].push_back(e.fingerprint.duration_seconds - seconds);
    play_times_[label + ": frame stream - true"].push_back(e.frame_stream_seconds - seconds);
  }
}

void Calibration::RunSong(std::uint32_t seed) {
  const SongSpec song{seed, seed};
  const std::vector<Encoded> same = EncodeAllWays(song, seconds_);
  for (std::size_t i = 0; i < same.size(); ++i) {
    for (std::size_t j = i + 1; j < same.size(); ++j) {
      Record("same recording", same[i].fingerprint, same[j].fingerprint);
    }
  }
  RecordPlayTimes(std::to_string(static_cast<int>(seconds_)) + " s", same, seconds_);
  const Version versions[] = {{"other song", {seed + 100, seed + 100}, 0},
                              {"other melody", {seed, seed + 1000}, 0},
                              {"other part", song, seconds_},
                              {"live take", {seed, seed, true}, 0}};
  for (const Version& version : versions) {
    const std::string wav = Render(version.song, 44100, version.start, seconds_);
    for (const Encoding& encoding : kOtherEncodings) {
      const Encoded other = Encode(wav, encoding);
      for (const Encoded& e : same) Record(version.label, e.fingerprint, other.fingerprint);
    }
  }
}

void Calibration::RunShortClip(double seconds) {
  char label[32];
  std::snprintf(label, sizeof label, "%4.1f s", seconds);
  RecordPlayTimes(label, EncodeAllWays({1, 1}, seconds), seconds);
}

void PrintSummary(const std::string& label, std::vector<double> values, const char* format) {
  std::sort(values.begin(), values.end());
  std::printf("%-46s %4zu  ", label.c_str(), values.size());
  for (const double value : {values.front(), values[values.size() / 2], values.back()}) {
    std::printf(format, value);
  }
  std::printf("\n");
}

void Calibration::Print() const {
  std::printf("%-46s %4s  %8s %8s %8s\n", "similarity", "n", "min", "median", "max");
  for (const auto& [label, values] : similarities_) PrintSummary(label, values, " %8.4f");
  std::printf("\n%-46s %4s  %8s %8s %8s\n", "play time, seconds", "n", "min", "median", "max");
  for (const auto& [label, values] : play_times_) PrintSummary(label, values, " %+8.4f");
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 60;
  const int songs = argc > 2 ? std::atoi(argv[2]) : 6;
  Calibration calibration(seconds);
  for (int seed = 1; seed <= songs; ++seed) calibration.RunSong(seed);
  for (const double clip : {2.0, 3.0, 5.0, 11.0}) calibration.RunShortClip(clip);
  calibration.Print();
}
