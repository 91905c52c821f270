#pragma once

#include <string>
#include <string_view>

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

}  // namespace tarnwick::test
