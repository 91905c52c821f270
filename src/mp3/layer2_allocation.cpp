#include "mp3/layer2_allocation.h"

#include <algorithm>
#include <array>

#include "mp3/frame_layout.h"

namespace tarnwick {
namespace {

constexpr int kJointStereo = 1;

// Bits of the allocation field by subband, for the allocation tables of
// ISO/IEC 11172-3 B.2a to B.2d and 13818-3 B.1; the table's length is the
// number of subbands coded (sblimit).
struct AllocationTable {
  int subbands;
  std::array<std::uint8_t, 30> bits;
};

constexpr AllocationTable kTableA = {
    27, {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2}};
constexpr AllocationTable kTableB = {
    30, {4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2}};
constexpr AllocationTable kTableC = {8, {4, 4, 3, 3, 3, 3, 3, 3}};
constexpr AllocationTable kTableD = {12, {4, 4, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3}};
constexpr AllocationTable kTableLowRates = {
    30, {4, 4, 4, 4, 3, 3, 3, 3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}};

// MPEG-1 picks its table by the bitrate per channel and the sample rate.
const AllocationTable& TableFor(const TFrameHeader& h, int channels) {
  if (h.version != kVersionMpeg1) return kTableLowRates;
  const int per_channel = h.bitrate / channels;
  if ((h.sample_rate == 48000 && per_channel >= 56) || (per_channel >= 56 && per_channel <= 80)) {
    return kTableA;
  }
  if (h.sample_rate != 48000 && per_channel >= 96) return kTableB;
  if (h.sample_rate != 32000 && per_channel <= 48) return kTableC;
  return kTableD;
}

class BitReader {
 public:
  explicit BitReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool Read(int count, int& value) {
    if (position_ + count > 8 * static_cast<int>(bytes_.size())) return false;
    value = 0;
    for (int i = 0; i < count; ++i, ++position_) {
      value = value << 1 |
              ((bytes_[static_cast<std::size_t>(position_ / 8)] >> (7 - position_ % 8)) & 1);
    }
    return true;
  }
  int position() const { return position_; }

 private:
  std::span<const std::uint8_t> bytes_;
  int position_ = 0;
};

}  // namespace

int Layer2ProtectedBits(std::span<const std::uint8_t> fields, const TFrameHeader& h) {
  if (h.bitrate <= 0) return -1;
  const int channels = h.channel_mode == kSingleChannel ? 1 : 2;
  const AllocationTable& table = TableFor(h, channels);
  // Joint stereo codes one allocation for both channels from the bound up.
  const int bound = h.channel_mode == kJointStereo
                        ? std::min(4 * (h.mode_extension + 1), table.subbands)
                        : table.subbands;
  std::array<std::array<int, 30>, 2> allocation{};
  BitReader in(fields);
  for (int sb = 0; sb < table.subbands; ++sb) {
    for (int ch = 0; ch < channels; ++ch) {
      if (sb >= bound && ch > 0) {
        allocation[1][sb] = allocation[0][sb];
      } else if (!in.Read(table.bits[sb], allocation[ch][sb])) {
        return -1;
      }
    }
  }
  int selection_bits = 0;
  for (int sb = 0; sb < table.subbands; ++sb) {
    for (int ch = 0; ch < channels; ++ch) selection_bits += allocation[ch][sb] != 0 ? 2 : 0;
  }
  return in.position() + selection_bits;
}

}  // namespace tarnwick
