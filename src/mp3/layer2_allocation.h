#pragma once

#include <cstdint>
#include <span>

#include "mp3/frame_header.h"

namespace tarnwick {

// The number of bits a Layer II frame's CRC covers after its header and CRC:
// the bit allocation of every subband and channel, then two bits of scale
// factor selection for each allocated one. `fields` starts after the CRC.
// -1 when the fields run past `fields` or the header selects no table (free
// format).
int Layer2ProtectedBits(std::span<const std::uint8_t> fields, const TFrameHeader& h);

}  // namespace tarnwick
