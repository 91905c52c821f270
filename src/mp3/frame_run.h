#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "mp3/frame_header.h"
#include "mp3/frame_layout.h"

namespace tarnwick {

// What stays the same in every frame of one encoded stream.
struct StreamParams {
  std::uint8_t version;
  std::uint8_t layer;
  std::int32_t sample_rate;
  bool mono;

  bool operator==(const StreamParams&) const = default;
};

constexpr StreamParams ParamsOf(const TFrameHeader& h) {
  return {h.version, h.layer, h.sample_rate, h.channel_mode == kSingleChannel};
}

// "MPEG-1 Layer III, 44,100 Hz, stereo".
std::string Describe(const StreamParams& params);

// A header the stricter view accepts as a frame: no faults and a bitrate from
// the table (free format has no length to check).
constexpr bool IsUsable(const TFrameHeader& h) { return h.faults == 0 && h.bitrate > 0; }

// The usable header at `at`, if a sync starts there and its 4 bytes lie
// before `end`.
std::optional<TFrameHeader> UsableHeaderAt(std::span<const std::uint8_t> bytes, std::int64_t at,
                                           std::int64_t end);

// Whether the frame `h` at `at` starts a run: three usable headers of one
// stream, each where the frame before ends, or fewer whose last frame ends
// exactly at `end`. A random sync in audio data or junk passes the first
// test one time in a few hundred; a run of three almost never.
bool StartsRun(std::span<const std::uint8_t> bytes, std::int64_t at, const TFrameHeader& h,
               std::int64_t end);

// The first position from `from` up to (not including) `last` where a run
// ending before `end` starts, or `last` when there is none.
std::int64_t FindRun(std::span<const std::uint8_t> bytes, std::int64_t from, std::int64_t last,
                     std::int64_t end);

}  // namespace tarnwick
