#pragma once

#include <string>
#include <vector>

#include "mp3/problems.h"

namespace tarnwick {

// Decodes the whole file at `path` and names every frame the decoder could
// not decode (Problem::Kind::kDecode at the frame's offset): garbled side
// information or main data, which no frame walk can see. Slow next to the
// walk (see bench/bench_analysis.cpp); nothing when the file cannot be
// opened or holds no audio, which the walk reports.
std::vector<Problem> DecodeCheck(const std::string& path);

}  // namespace tarnwick
