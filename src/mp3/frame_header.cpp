#include "mp3/frame_header.h"

namespace tarnwick {
namespace {

constexpr std::uint8_t kLayerI = 3;
constexpr std::uint8_t kLayerII = 2;
constexpr std::uint8_t kReservedLayer = 0;
constexpr std::uint8_t kReservedVersion = 1;
constexpr std::uint8_t kMpeg1 = 3;
constexpr std::uint8_t kReservedSampleRate = 3;
constexpr std::uint32_t kForbiddenBitrate = 15;

void SplitFields(std::span<const std::uint8_t, 4> b, TFrameHeader& h) {
  h.version = (b[1] >> 3) & 3;
  h.layer = (b[1] >> 1) & 3;
  h.protection = b[1] & 1;
  h.bitrate_index = b[2] >> 4;
  h.sample_rate_index = (b[2] >> 2) & 3;
  h.padding = (b[2] >> 1) & 1;
  h.private_bit = b[2] & 1;
  h.channel_mode = b[3] >> 6;
  h.mode_extension = (b[3] >> 4) & 3;
  h.copyright = (b[3] >> 3) & 1;
  h.original = (b[3] >> 2) & 1;
  h.emphasis = b[3] & 3;
}

std::int32_t Bitrate(const TFrameHeader& h) {
  const int column = BitrateColumn(h.version, h.layer);
  if (column > 6) return kNoColumnBitrate;
  return BitrateTable[h.bitrate_index][column - 1];
}

std::int32_t Faults(const TFrameHeader& h) {
  return (h.version == kReservedVersion) + (h.sample_rate_index == kReservedSampleRate) +
         (h.layer == kReservedLayer) + (h.bitrate_index == kForbiddenBitrate);
}

// Bytes per frame = samples per frame / 8 x bit/s / Hz, in slots: Layer I has
// 384 samples in 4-byte slots, Layer II 1152 samples, Layer III 1152 under
// MPEG-1 and 576 under MPEG-2 and MPEG 2.5, in 1-byte slots. The padding bit
// adds one slot. C++ division truncates toward zero, as the negative lengths
// of bitrate -1 require.
std::int32_t FrameLength(const TFrameHeader& h) {
  const std::int32_t rate = h.sample_rate;
  if (h.layer == kLayerI) return (12000 * h.bitrate / rate + h.padding) * 4;
  if (h.layer == kLayerII || h.version == kMpeg1) return 144000 * h.bitrate / rate + h.padding;
  return 72000 * h.bitrate / rate + h.padding;
}

}  // namespace

TFrameHeader DecodeFrameHeader(std::span<const std::uint8_t, 4> bytes,
                               std::int32_t previous_length) {
  TFrameHeader h;
  SplitFields(bytes, h);
  h.bitrate = Bitrate(h);
  h.sample_rate = SampleRateTable[h.version][h.sample_rate_index];
  h.faults = Faults(h);
  const bool computable = h.sample_rate > 0 && h.layer != kReservedLayer;
  h.frame_length = computable ? FrameLength(h) : previous_length;
  return h;
}

}  // namespace tarnwick
