#pragma once

#include <cstdint>
#include <span>

namespace tarnwick {

// Where the audio ends: the start of the tags at the end of the file (ID3v1,
// APEv2, Lyrics3 v1 and v2, an appended ID3v2 tag with footer, in any order
// and number), or the end of the file. Only the last bytes of each tag are
// read, plus a bounded search for the start of a Lyrics3 v1 tag. The result
// is never below `floor` (where the audio starts).
std::int64_t AudioEnd(std::span<const std::uint8_t> bytes, std::int64_t floor);

}  // namespace tarnwick
