#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// Real encoder output, made at test time with Debian's lame, ffmpeg and
// twolame from generated pink noise under a tremolo (so that VBR encoders
// move between bitrates). `command` is a shell command in which {in} stands
// for the source WAV file, {out} for the file to write and {cover} for a
// PNG picture of about 50 KB. Each file is made once per test program, kept
// in a temporary folder until the program ends, and returned as bytes;
// a failed command throws std::runtime_error.
std::string Encoded(std::string_view name, std::string_view command, int sample_rate = 44100,
                    double seconds = 1.5, int channels = 2);

// Writes 16-bit PCM as a WAV file, for encoding sound of a test's own making.
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

// Decodes the first `seconds` of `mp3` with ffmpeg into a stereo WAV file at
// `rate`; atrim cuts to the sample, so that play times stay exact. Returns
// whether it succeeded.
bool Decode(const std::string& mp3, const std::string& wav, double seconds, int rate);

}  // namespace tarnwick::test
