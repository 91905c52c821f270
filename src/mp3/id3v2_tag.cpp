#include "mp3/id3v2_tag.h"

#include <algorithm>

namespace tarnwick {
namespace {

constexpr std::int64_t kHeaderSize = 10;
constexpr std::uint8_t kUnsynchronised = 0x80;
constexpr std::uint8_t kExtendedHeader = 0x40;
constexpr std::uint8_t kFooter = 0x10;

std::int64_t Synchsafe(const std::uint8_t* s) {
  return std::int64_t{s[0]} * 2097152 + s[1] * 16384 + s[2] * 128 + s[3];
}

std::int64_t BigEndian(const std::uint8_t* b, int count) {
  std::int64_t value = 0;
  for (int i = 0; i < count; ++i) value = value << 8 | b[i];
  return value;
}

bool IsFrameIdChar(std::uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }

// Frame headers: ID3v2.2 a 3-character id and a 3-byte size; v2.3 a
// 4-character id, a 4-byte size and 2 flag bytes; v2.4 the same with a
// synchsafe size.
std::int64_t FramesEnd(std::span<const std::uint8_t> bytes, int version, std::int64_t at,
                       std::int64_t end) {
  const int id_size = version == 2 ? 3 : 4;
  const int header_size = version == 2 ? 6 : 10;
  while (at + header_size <= end) {
    const std::uint8_t* f = bytes.data() + at;
    if (!std::all_of(f, f + id_size, IsFrameIdChar)) return at;
    const std::int64_t size = version == 2   ? BigEndian(f + 3, 3)
                              : version == 3 ? BigEndian(f + 4, 4)
                                             : Synchsafe(f + 4);
    if (size <= 0 || at + header_size + size > end) return end;
    at += header_size + size;
  }
  return end;
}

// The extended header's size: in v2.3 a 4-byte count of the bytes after it,
// in v2.4 a synchsafe count of all its bytes.
std::int64_t ExtendedHeaderSize(std::span<const std::uint8_t> bytes, int version) {
  if (bytes.size() < kHeaderSize + 4) return 0;
  const std::uint8_t* s = bytes.data() + kHeaderSize;
  return version == 3 ? BigEndian(s, 4) + 4 : Synchsafe(s);
}

}  // namespace

std::optional<Id3v2Tag> ReadId3v2Tag(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kHeaderSize || bytes[0] != 'I' || bytes[1] != 'D' || bytes[2] != '3') {
    return std::nullopt;
  }
  const int version = bytes[3];
  const std::uint8_t flags = bytes[5];
  const bool footer = version == 4 && (flags & kFooter);
  const std::int64_t end = kHeaderSize + Synchsafe(bytes.data() + 6) + (footer ? 10 : 0);
  const std::int64_t content_end =
      std::min<std::int64_t>(end, static_cast<std::int64_t>(bytes.size()));
  if (version < 2 || version > 4 || (flags & kUnsynchronised)) return Id3v2Tag{end, end};
  const std::int64_t first =
      kHeaderSize + ((flags & kExtendedHeader) ? ExtendedHeaderSize(bytes, version) : 0);
  const std::int64_t frames_end = FramesEnd(bytes, version, first, content_end);
  return Id3v2Tag{end, frames_end == content_end ? end : frames_end};
}

}  // namespace tarnwick
