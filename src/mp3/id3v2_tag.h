#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tarnwick {

// An ID3v2 tag at the start of a file, as its header describes it and as its
// frames fill it.
struct Id3v2Tag {
  std::int64_t end;         // first byte after the tag by its size field (and footer)
  std::int64_t frames_end;  // where its frames stop: padding or the end follows
};

// The tag at bytes[0], if the file starts with "ID3". The size is taken as
// the frame walk takes it (the four bytes as 7-bit groups). The frames are
// followed by their headers only; a tag whose frames cannot be followed
// (unsynchronisation, a frame running past the end) has frames_end = end.
std::optional<Id3v2Tag> ReadId3v2Tag(std::span<const std::uint8_t> bytes);

}  // namespace tarnwick
