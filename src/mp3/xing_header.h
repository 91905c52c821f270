#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "mp3/frame_header.h"

namespace tarnwick {

// The counts an encoder writes into the first frame of a stream for players
// to seek by: a Xing header ("Xing" for VBR, "Info" for CBR, right after the
// Layer III side information) or a VBRI header (32 bytes after the header).
struct VbrHeader {
  enum class Kind { kXing, kVbri };
  Kind kind;
  const char* name;                     // "Xing", "Info" or "VBRI"
  std::optional<std::uint32_t> frames;  // audio frames after this one
  std::optional<std::uint32_t> bytes;   // bytes from this frame to the end of the audio
};

// The VBR header of the Layer III frame starting at frame[0], if it has one.
std::optional<VbrHeader> ReadVbrHeader(std::span<const std::uint8_t> frame, const TFrameHeader& h);

// Whether the frame holds a Xing or Info tag: a cheap test for every frame,
// which finds the first frame of a second file joined to the stream.
bool HasXingTag(std::span<const std::uint8_t> frame, const TFrameHeader& h);

}  // namespace tarnwick
