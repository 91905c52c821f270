#pragma once

#include <cstdint>
#include <span>

#include "mp3/mp3_info.h"

namespace tarnwick {

struct WalkOutcome {
  TMp3Info info;
  int failure = 0;  // 0, kReadBeyondEnd or kPositionBeforeStart (byte_source.h)
};

// The analysis of an MP3 stream held in memory: finds the first frame (after
// an ID3v2 tag), then jumps from header to header by the computed frame
// lengths, searching forward where no header is found and counting errors.
// A failure ends the walk; the record then has Length -1 and the counts
// reached until then.
WalkOutcome WalkFrames(std::span<const std::uint8_t> bytes);

}  // namespace tarnwick
