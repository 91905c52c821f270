#pragma once

#include <cstdint>

#include "mp3/frame_header.h"

namespace tarnwick {

// Field codes of TFrameHeader that the stream checks compare.
inline constexpr std::uint8_t kVersionMpeg1 = 3;
inline constexpr std::uint8_t kLayerIII = 1;
inline constexpr std::uint8_t kLayerIICode = 2;
inline constexpr std::uint8_t kSingleChannel = 3;

// A 16-bit CRC follows the header when the protection bit is 0.
constexpr bool HasCrc(const TFrameHeader& h) { return h.protection == 0; }

// Bytes of Layer III side information after the header (and its CRC):
// MPEG-1 17 mono / 32 stereo, MPEG-2 and 2.5 9 mono / 17 stereo.
constexpr int SideInfoSize(const TFrameHeader& h) {
  const bool mono = h.channel_mode == kSingleChannel;
  if (h.version == kVersionMpeg1) return mono ? 17 : 32;
  return mono ? 9 : 17;
}

// Where the side information ends and a Xing/Info header may start.
constexpr int SideInfoEnd(const TFrameHeader& h) {
  return 4 + (HasCrc(h) ? 2 : 0) + SideInfoSize(h);
}

}  // namespace tarnwick
