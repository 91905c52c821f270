#pragma once

#include <cstdint>
#include <string>

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

}  // namespace tarnwick
