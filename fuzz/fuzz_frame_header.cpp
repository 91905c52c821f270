// Any four header bytes and any carried frame length through the decoder.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>

#include "fuzz_check.h"
#include "mp3/frame_header.h"

namespace tarnwick {
namespace {

using fuzz::Require;

void CheckDerived(const TFrameHeader& h, std::int32_t previous) {
  Require(h.faults >= 0 && h.faults <= 4, "fault count");
  Require(h.bitrate >= -1 && h.bitrate <= 448, "bitrate range");
  Require(h.sample_rate >= 0 && h.sample_rate <= 48000, "sample rate range");
  const bool computable = h.sample_rate > 0 && h.layer != 0;
  if (!computable) {
    Require(h.frame_length == previous, "an incomputable frame keeps the carried length");
    return;
  }
  // The longest frame: Layer II or III at 448 kbit/s and 8000 Hz, padded.
  Require(h.frame_length <= 144000 * 448 / 8000 + 1, "frame length too long");
  // The most negative: the forbidden bitrate (-1) in Layer II at 8000 Hz.
  Require(h.frame_length >= -144000 / 8000, "frame length too negative");
  if (h.bitrate <= 0) Require(h.frame_length <= 4, "free or forbidden bitrate gives a short frame");
  if (h.bitrate > 0) Require(h.frame_length > 0, "a table bitrate gives a positive length");
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  // The header in a buffer of exactly four bytes, so that a read past them
  // shows as a heap overflow.
  const auto bytes = std::make_unique<std::uint8_t[]>(4);
  std::memcpy(bytes.get(), data, 4);
  std::int32_t previous = 0;
  std::memcpy(&previous, data + 4, size >= 8 ? 4 : 0);
  const std::span<const std::uint8_t, 4> header(bytes.get(), 4);
  const tarnwick::TFrameHeader h = tarnwick::DecodeFrameHeader(header, previous);
  tarnwick::CheckDerived(h, previous);
  return 0;
}
