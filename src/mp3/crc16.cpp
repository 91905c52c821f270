#include "mp3/crc16.h"

#include <array>

#include "mp3/frame_layout.h"
#include "mp3/layer2_allocation.h"

namespace tarnwick {
namespace {

constexpr std::uint16_t kPolynomial = 0x8005;

constexpr std::array<std::uint16_t, 256> MakeTable() {
  std::array<std::uint16_t, 256> table{};
  for (unsigned byte = 0; byte < 256; ++byte) {
    std::uint16_t crc = static_cast<std::uint16_t>(byte << 8);
    for (int bit = 0; bit < 8; ++bit) {
      crc = static_cast<std::uint16_t>((crc & 0x8000) ? (crc << 1) ^ kPolynomial : crc << 1);
    }
    table[byte] = crc;
  }
  return table;
}

constexpr std::array<std::uint16_t, 256> kTable = MakeTable();

// Layer II protects a number of bits that is rarely whole bytes: the rest
// goes in bit by bit.
std::uint16_t Crc16Bits(std::span<const std::uint8_t> bytes, int bits, std::uint16_t crc) {
  crc = Crc16(bytes.first(static_cast<std::size_t>(bits / 8)), crc);
  const std::uint8_t last = bits % 8 ? bytes[static_cast<std::size_t>(bits / 8)] : 0;
  for (int bit = 0; bit < bits % 8; ++bit) {
    const bool in = (last >> (7 - bit)) & 1;
    const bool top = crc & 0x8000;
    crc = static_cast<std::uint16_t>(crc << 1);
    if (in != top) crc ^= kPolynomial;
  }
  return crc;
}

}  // namespace

std::uint16_t Crc16(std::span<const std::uint8_t> bytes, std::uint16_t crc) {
  for (const std::uint8_t byte : bytes) {
    crc = static_cast<std::uint16_t>((crc << 8) ^ kTable[(crc >> 8) ^ byte]);
  }
  return crc;
}

std::optional<FrameCrc> ReadFrameCrc(std::span<const std::uint8_t> frame, const TFrameHeader& h) {
  if (!HasCrc(h) || frame.size() < 6) return std::nullopt;
  int bits = 0;
  if (h.layer == kLayerIII) {
    bits = 8 * SideInfoSize(h);
  } else if (h.layer == kLayerIICode) {
    bits = Layer2ProtectedBits(frame.subspan(6), h);
  }
  if (bits <= 0 || frame.size() < 6 + static_cast<std::size_t>((bits + 7) / 8)) return std::nullopt;
  const std::uint16_t stored = static_cast<std::uint16_t>(frame[4] << 8 | frame[5]);
  const std::uint16_t crc = Crc16(frame.subspan(2, 2));
  return FrameCrc{stored, Crc16Bits(frame.subspan(6), bits, crc)};
}

}  // namespace tarnwick
