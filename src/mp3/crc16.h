#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "mp3/frame_header.h"

namespace tarnwick {

// The CRC-16 of MPEG audio: polynomial x^16 + x^15 + x^2 + 1 (0x8005), most
// significant bit first, no final inversion. Frames start it at 0xFFFF.
std::uint16_t Crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0xFFFF);

struct FrameCrc {
  std::uint16_t stored;
  std::uint16_t computed;
};

// The stored and the recomputed CRC of a protected frame starting at
// frame[0]. The CRC covers the last two header bytes and, for Layer III, the
// side information; for Layer II the bit allocation and scale factor
// selection. Nothing for an unprotected frame, Layer I, or a frame too short
// to hold the protected fields.
std::optional<FrameCrc> ReadFrameCrc(std::span<const std::uint8_t> frame, const TFrameHeader& h);

}  // namespace tarnwick
