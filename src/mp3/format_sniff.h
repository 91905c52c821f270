#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace tarnwick {

// The name of the format whose signature starts at bytes[at], for files
// that are something else named .mp3: "RIFF/WAVE audio", "Ogg", "FLAC",
// "MP4/M4A", "HTML page" and a few more. Nothing for unknown bytes.
std::optional<std::string> ForeignFormat(std::span<const std::uint8_t> bytes, std::int64_t at);

}  // namespace tarnwick
