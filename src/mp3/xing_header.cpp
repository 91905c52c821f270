#include "mp3/xing_header.h"

#include <cstring>

#include "mp3/frame_layout.h"

namespace tarnwick {
namespace {

constexpr std::uint32_t kXingHasFrames = 1;
constexpr std::uint32_t kXingHasBytes = 2;
constexpr std::size_t kVbriOffset = 36;

std::uint32_t BigEndian32(std::span<const std::uint8_t> b) {
  return std::uint32_t{b[0]} << 24 | std::uint32_t{b[1]} << 16 | std::uint32_t{b[2]} << 8 | b[3];
}

bool TagAt(std::span<const std::uint8_t> frame, std::size_t at, const char* tag) {
  return frame.size() >= at + 4 && std::memcmp(frame.data() + at, tag, 4) == 0;
}

// Xing layout: tag, 32-bit flags, then the frame count and the byte count
// when their flags are set, all big-endian.
std::optional<VbrHeader> ReadXing(std::span<const std::uint8_t> frame, std::size_t at) {
  const char* name = TagAt(frame, at, "Xing")   ? "Xing"
                     : TagAt(frame, at, "Info") ? "Info"
                                                : nullptr;
  if (name == nullptr || frame.size() < at + 16) return std::nullopt;
  VbrHeader header{VbrHeader::Kind::kXing, name, std::nullopt, std::nullopt};
  const std::uint32_t flags = BigEndian32(frame.subspan(at + 4));
  std::size_t field = at + 8;
  if (flags & kXingHasFrames) {
    header.frames = BigEndian32(frame.subspan(field));
    field += 4;
  }
  if (flags & kXingHasBytes) header.bytes = BigEndian32(frame.subspan(field));
  return header;
}

// VBRI layout: tag, version, delay and quality (16 bits each), then the byte
// count and the frame count (32 bits each), big-endian.
std::optional<VbrHeader> ReadVbri(std::span<const std::uint8_t> frame) {
  if (!TagAt(frame, kVbriOffset, "VBRI") || frame.size() < kVbriOffset + 18) return std::nullopt;
  return VbrHeader{VbrHeader::Kind::kVbri, "VBRI", BigEndian32(frame.subspan(kVbriOffset + 14)),
                   BigEndian32(frame.subspan(kVbriOffset + 10))};
}

}  // namespace

std::optional<VbrHeader> ReadVbrHeader(std::span<const std::uint8_t> frame, const TFrameHeader& h) {
  if (h.layer != kLayerIII) return std::nullopt;
  if (auto xing = ReadXing(frame, static_cast<std::size_t>(SideInfoEnd(h)))) return xing;
  return ReadVbri(frame);
}

bool HasXingTag(std::span<const std::uint8_t> frame, const TFrameHeader& h) {
  const auto at = static_cast<std::size_t>(SideInfoEnd(h));
  return h.layer == kLayerIII && (TagAt(frame, at, "Info") || TagAt(frame, at, "Xing"));
}

}  // namespace tarnwick
