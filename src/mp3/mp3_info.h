#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "mp3/problems.h"

namespace tarnwick {

// What the analysis of one MP3 file found.
struct TMp3Info {
  std::int32_t Length = 0;   // play time in whole seconds; -1 when the analysis failed
  std::int32_t Bitrate = 0;  // average kbit/s over the frames without a fault
  std::int32_t Errors = 0;   // header faults, gaps, misplaced syncs, bitrate class changes
  bool Vbr = false;          // the bitrate changed in more than a quarter of the frames
  std::int32_t Frames = 0;   // frame syncs counted

  bool operator==(const TMp3Info&) const = default;
};

// Walks the file at `path` from its first frame to its end. Never fails to
// return: a failed analysis has Length -1 and the counts reached until then,
// and an input/output failure (except a refused access) is shown through the
// message sink. The file is opened for reading only.
TMp3Info ReadMp3Info(const std::string& path);

// The analysis with the problems of the file, from the same single pass.
struct Mp3Analysis {
  TMp3Info info;
  int failure = 0;  // ReadMp3Info's failure code; 0 when the walk finished
  std::vector<Problem> problems = {};
  double playSeconds = 0.0;  // the walk's play time before rounding
};

// ReadMp3Info's walk over the file at `path`, naming each problem of the
// stream, and with `deep` also every frame the decoder cannot decode (which
// decodes the whole file: slower by far). Shows no message. A file that
// cannot be opened has its failure code and no problems.
Mp3Analysis AnalyseMp3(const std::string& path, bool deep);

}  // namespace tarnwick
