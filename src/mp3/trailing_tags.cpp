#include "mp3/trailing_tags.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace tarnwick {
namespace {

constexpr std::int64_t kId3v1Size = 128;
constexpr std::int64_t kApeFooterSize = 32;
constexpr std::uint32_t kApeHasHeader = 0x80000000;
constexpr std::int64_t kLyrics3v1MaxSize = 5100 + 20;  // 5100 bytes of lyrics plus the markers
constexpr std::string_view kLyricsBegin = "LYRICSBEGIN";

bool TextAt(std::span<const std::uint8_t> bytes, std::int64_t at, std::string_view text) {
  return at >= 0 &&
         at + static_cast<std::int64_t>(text.size()) <= static_cast<std::int64_t>(bytes.size()) &&
         std::memcmp(bytes.data() + at, text.data(), text.size()) == 0;
}

std::uint32_t LittleEndian32(const std::uint8_t* b) {
  return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
         std::uint32_t{b[3]} << 24;
}

// APEv2 footer: "APETAGEX", version, size of items and footer, item count,
// flags (32-bit little-endian each); a header of 32 bytes may precede the items.
std::int64_t ApeTagSize(std::span<const std::uint8_t> bytes, std::int64_t end) {
  const std::int64_t footer = end - kApeFooterSize;
  if (!TextAt(bytes, footer, "APETAGEX")) return 0;
  const std::uint8_t* b = bytes.data() + footer;
  const std::int64_t size =
      LittleEndian32(b + 12) + ((LittleEndian32(b + 20) & kApeHasHeader) ? 32 : 0);
  return size >= kApeFooterSize ? size : 0;
}

// Lyrics3 v2: "LYRICSBEGIN", fields, then the size of all that as six
// decimal digits and "LYRICS200".
std::int64_t Lyrics3v2Size(std::span<const std::uint8_t> bytes, std::int64_t end) {
  if (!TextAt(bytes, end - 9, "LYRICS200") || end < 15) return 0;
  std::int64_t size = 0;
  for (std::int64_t at = end - 15; at < end - 9; ++at) {
    if (bytes[static_cast<std::size_t>(at)] < '0' || bytes[static_cast<std::size_t>(at)] > '9')
      return 0;
    size = size * 10 + (bytes[static_cast<std::size_t>(at)] - '0');
  }
  return TextAt(bytes, end - 15 - size, kLyricsBegin) ? size + 15 : 0;
}

// Lyrics3 v1: "LYRICSBEGIN", up to 5100 bytes of lyrics, "LYRICSEND".
std::int64_t Lyrics3v1Size(std::span<const std::uint8_t> bytes, std::int64_t end) {
  if (!TextAt(bytes, end - 9, "LYRICSEND")) return 0;
  for (std::int64_t at = end - 9 - static_cast<std::int64_t>(kLyricsBegin.size());
       at >= std::max<std::int64_t>(0, end - kLyrics3v1MaxSize); --at) {
    if (TextAt(bytes, at, kLyricsBegin)) return end - at;
  }
  return 0;
}

// An ID3v2.4 tag at the end carries a footer: "3DI", version, flags and the
// synchsafe size of its frames; header and footer add 20 bytes.
std::int64_t AppendedId3v2Size(std::span<const std::uint8_t> bytes, std::int64_t end) {
  if (!TextAt(bytes, end - 10, "3DI")) return 0;
  const std::uint8_t* s = bytes.data() + end - 4;
  if ((s[0] | s[1] | s[2] | s[3]) & 0x80) return 0;
  return (std::int64_t{s[0]} << 21 | s[1] << 14 | s[2] << 7 | s[3]) + 20;
}

std::int64_t TagSizeBefore(std::span<const std::uint8_t> bytes, std::int64_t end) {
  if (TextAt(bytes, end - kId3v1Size, "TAG")) return kId3v1Size;
  for (auto size_of : {ApeTagSize, Lyrics3v2Size, Lyrics3v1Size, AppendedId3v2Size}) {
    if (const std::int64_t size = size_of(bytes, end)) return size;
  }
  return 0;
}

}  // namespace

std::int64_t AudioEnd(std::span<const std::uint8_t> bytes, std::int64_t floor) {
  std::int64_t end = static_cast<std::int64_t>(bytes.size());
  while (end > floor) {
    const std::int64_t size = TagSizeBefore(bytes, end);
    if (size == 0 || end - size < floor) break;
    end -= size;
  }
  return std::max(end, floor);
}

}  // namespace tarnwick
