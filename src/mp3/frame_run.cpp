#include "mp3/frame_run.h"

#include <cstring>

#include "mp3/frame_layout.h"
#include "mp3/problems.h"

namespace tarnwick {
namespace {

constexpr int kRunLength = 3;

const char* VersionName(std::uint8_t version) {
  return version == kVersionMpeg1 ? "MPEG-1" : version == 2 ? "MPEG-2" : "MPEG-2.5";
}

const char* LayerName(std::uint8_t layer) { return layer == 3 ? "I" : layer == 2 ? "II" : "III"; }

}  // namespace

std::string Describe(const StreamParams& p) {
  return std::string(VersionName(p.version)) + " Layer " + LayerName(p.layer) + ", " +
         GroupedNumber(p.sample_rate) + " Hz, " + (p.mono ? "mono" : "stereo");
}

std::optional<TFrameHeader> UsableHeaderAt(std::span<const std::uint8_t> bytes, std::int64_t at,
                                           std::int64_t end) {
  if (at < 0 || end - at < 4) return std::nullopt;
  const std::uint8_t* b = bytes.data() + at;
  if (!IsFrameSync(b[0], b[1])) return std::nullopt;
  const TFrameHeader h = DecodeFrameHeader(std::span<const std::uint8_t, 4>(b, 4), 0);
  if (!IsUsable(h)) return std::nullopt;
  return h;
}

bool StartsRun(std::span<const std::uint8_t> bytes, std::int64_t at, const TFrameHeader& h,
               std::int64_t end) {
  const StreamParams params = ParamsOf(h);
  std::int64_t position = at + h.frame_length;
  for (int found = 1; found < kRunLength; ++found) {
    if (position == end) return true;
    const std::optional<TFrameHeader> next = UsableHeaderAt(bytes, position, end);
    if (!next || !(ParamsOf(*next) == params)) return false;
    position += next->frame_length;
  }
  return true;
}

std::int64_t FindRun(std::span<const std::uint8_t> bytes, std::int64_t from, std::int64_t last,
                     std::int64_t end) {
  while (from < last) {
    const void* found =
        std::memchr(bytes.data() + from, 0xFF, static_cast<std::size_t>(last - from));
    if (found == nullptr) break;
    const std::int64_t at = static_cast<const std::uint8_t*>(found) - bytes.data();
    const std::optional<TFrameHeader> h = UsableHeaderAt(bytes, at, end);
    if (h && StartsRun(bytes, at, *h, end)) return at;
    from = at + 1;
  }
  return last;
}

}  // namespace tarnwick
