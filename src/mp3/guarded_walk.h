#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "mp3/frame_walk.h"

namespace tarnwick {

// WalkFrames over a memory-mapped file. When another program shrinks the file
// while it is walked, reading a page beyond its new end raises SIGBUS; that
// signal then ends the walk here with no result, instead of ending the
// process. A SIGBUS from anywhere else keeps its usual effect.
std::optional<WalkOutcome> WalkMappedFrames(std::span<const std::uint8_t> mapped,
                                            ProblemScan problems = ProblemScan::kSkip);

}  // namespace tarnwick
