#pragma once

#include <ostream>

#include "mp3/mp3_info.h"

namespace tarnwick {

// Readable records in test failures: {Length, Bitrate, Errors, Vbr, Frames}.
inline void PrintTo(const TMp3Info& info, std::ostream* out) {
  *out << "{" << info.Length << ", " << info.Bitrate << ", " << info.Errors << ", "
       << (info.Vbr ? "true" : "false") << ", " << info.Frames << "}";
}

}  // namespace tarnwick
