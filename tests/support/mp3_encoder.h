#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick::test {

// Writes 16-bit PCM as a WAV file.
void WriteWav(const std::string& path, const std::vector<std::int16_t>& samples, int sample_rate,
              int channels);

// One way to make an MP3 file from a WAV file with Debian's encoders.
struct Encoding {
  const char* label;
  bool ffmpeg;          // ffmpeg with libmp3lame, else the lame program
  const char* options;  // the encoder's own options, e.g. "-V 2" or "-ar 48000 -b:a 160k"
};

// Runs the encoder quietly; returns whether it succeeded.
bool Encode(const Encoding& encoding, const std::string& wav, const std::string& mp3);

}  // namespace tarnwick::test
