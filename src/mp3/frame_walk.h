#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "mp3/mp3_info.h"
#include "mp3/problems.h"

namespace tarnwick {

struct WalkOutcome {
  TMp3Info info;
  int failure = 0;                     // 0, kReadBeyondEnd or kPositionBeforeStart (byte_source.h)
  std::vector<Problem> problems = {};  // only when asked for (ProblemScan::kFind)
  double playSeconds = 0.0;            // the play time before rounding
};

class StreamCheck;

// Whether the walk also names the problems of the stream (stream_check.h),
// in the same pass.
enum class ProblemScan { kSkip, kFind };

// The analysis of an MP3 stream held in memory: finds the first frame (after
// an ID3v2 tag), then jumps from header to header by the computed frame
// lengths, searching forward where no header is found and counting errors.
// A failure ends the walk; the record then has Length -1 and the counts
// reached until then.
WalkOutcome WalkFrames(std::span<const std::uint8_t> bytes,
                       ProblemScan problems = ProblemScan::kSkip);

// The walk with problems found by `check`, made for the same bytes. The
// caller owns the check, so that a walk cut short by a signal (guarded_walk.h)
// leaves nothing with a destructor behind on the abandoned stack.
WalkOutcome WalkFrames(std::span<const std::uint8_t> bytes, StreamCheck& check);

}  // namespace tarnwick
