// Arbitrary bytes through the in-memory analysis: the ID3v2 skip, the first
// frame search and the frame walk with its searches.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <cstring>
#include <span>

#include "fuzz_check.h"
#include "mp3/byte_source.h"
#include "mp3/frame_walk.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using tarnwick::fuzz::Require;
  // A buffer of exactly the input's size, so that any read past the end of
  // the stream shows as a heap overflow (libFuzzer's own copy may be larger).
  const auto copy = std::make_unique<std::uint8_t[]>(size + (size == 0));
  if (size > 0) std::memcpy(copy.get(), data, size);
  const tarnwick::WalkOutcome out = tarnwick::WalkFrames(std::span(copy.get(), size));
  const tarnwick::TMp3Info& info = out.info;

  Require(out.failure == 0 || out.failure == tarnwick::kReadBeyondEnd ||
              out.failure == tarnwick::kPositionBeforeStart,
          "failure is one of the read failures");
  if (out.failure != 0) Require(info.Length == -1, "a failed walk has Length -1");
  Require(info.Errors >= 0 && info.Frames >= 0, "counts are not negative");
  // The average covers the frames without a fault, whose bitrates come from
  // the table (0 to 448 kbit/s).
  Require(info.Bitrate >= 0 && info.Bitrate <= 448, "average bitrate within the table");
  if (info.Frames == 0) Require(!info.Vbr && info.Bitrate == 0, "no frame, no bitrate");
  if (size < 4) Require(out.failure == tarnwick::kReadBeyondEnd, "a stream under 4 bytes fails");
  return 0;
}
