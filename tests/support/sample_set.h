#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mp3/problems.h"

namespace tarnwick::test {

// A file for the problem detection: clean encoder output, or such output
// damaged in one known way, with the problems it must give.
struct ExpectedProblem {
  Problem::Kind kind;
  std::int64_t offset = -1;  // -1: anywhere
};

struct SampleFile {
  std::string name;  // a file name ending in .mp3
  std::string bytes;
  std::vector<ExpectedProblem> expected = {};  // none for a clean file
  bool deep = false;                           // only the deep check can find it
};

// lame, ffmpeg and twolame output: CBR, VBR, ABR, with and without an
// Info/Xing frame, CRC-protected, 8 to 48 kHz, Layer II, and with ID3v2 (a
// large picture), ID3v1, APEv2 and Lyrics3 tags.
std::vector<SampleFile> CleanSet();

// One file per kind of damage, each built from a clean file.
std::vector<SampleFile> DamagedSet();

}  // namespace tarnwick::test
