// Arbitrary bytes through the in-memory analysis: the ID3v2 skip, the first
// frame search and the frame walk with its searches, and the problem scan
// that rides along with it.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "mp3/byte_source.h"
#include "mp3/frame_walk.h"

namespace tarnwick {
namespace {

using fuzz::Require;

void CheckOutcome(const WalkOutcome& out, std::size_t size) {
  const TMp3Info& info = out.info;
  Require(out.failure == 0 || out.failure == kReadBeyondEnd || out.failure == kPositionBeforeStart,
          "failure is one of the read failures");
  if (out.failure != 0) Require(info.Length == -1, "a failed walk has Length -1");
  Require(info.Errors >= 0 && info.Frames >= 0, "counts are not negative");
  // The average covers the frames without a fault, whose bitrates come from
  // the table (0 to 448 kbit/s).
  Require(info.Bitrate >= 0 && info.Bitrate <= 448, "average bitrate within the table");
  if (info.Frames == 0) Require(!info.Vbr && info.Bitrate == 0, "no frame, no bitrate");
  if (size < 4) Require(out.failure == kReadBeyondEnd, "a stream under 4 bytes fails");
}

// The walk only looks at positions relative to the first frame, so a stream
// behind an ID3v2 tag gives the same record, unless it starts with a tag of
// its own or its walk once positioned before offset 0 (which the tag's
// zeros would now absorb).
void CheckBehindTag(std::span<const std::uint8_t> stream, const WalkOutcome& alone) {
  const bool own_tag =
      stream.size() >= 3 && stream[0] == 'I' && stream[1] == 'D' && stream[2] == '3';
  if (stream.size() < 4 || own_tag || alone.failure == kPositionBeforeStart) return;
  // A tag of 300 zero bytes; its size, 300, is four 7-bit groups (0, 0, 2, 44).
  std::vector<std::uint8_t> tagged = {'I', 'D', '3', 4, 0, 0, 0, 0, 2, 44};
  tagged.resize(tagged.size() + 300, 0);
  tagged.insert(tagged.end(), stream.begin(), stream.end());
  const WalkOutcome behind = WalkFrames(tagged);
  Require(behind.failure == alone.failure && behind.info == alone.info,
          "a leading ID3v2 tag changes nothing");
}

// The problem scan changes nothing of the record, stays inside the stream,
// and a failed walk always leaves a problem.
void CheckProblems(std::span<const std::uint8_t> stream, const WalkOutcome& plain) {
  const WalkOutcome scanned = WalkFrames(stream, ProblemScan::kFind);
  Require(scanned.info == plain.info && scanned.failure == plain.failure,
          "the problem scan leaves the record as it is");
  Require(plain.failure == 0 || !scanned.problems.empty(), "a failed walk has a problem");
  Require(scanned.problems.size() <= 101, "at most 100 problems and a summary");
  for (const Problem& p : scanned.problems) {
    Require(p.offset >= 0 && p.offset <= static_cast<std::int64_t>(stream.size()),
            "problem offsets lie within the stream");
    Require(!p.detail.empty(), "every problem has a detail");
  }
}

}  // namespace
}  // namespace tarnwick

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A buffer of exactly the input's size, so that any read past the end of
  // the stream shows as a heap overflow.
  const auto copy = std::make_unique<std::uint8_t[]>(size);
  if (size > 0) std::memcpy(copy.get(), data, size);
  const std::span<const std::uint8_t> stream(copy.get(), size);
  const tarnwick::WalkOutcome out = tarnwick::WalkFrames(stream);
  tarnwick::CheckOutcome(out, size);
  tarnwick::CheckBehindTag(stream, out);
  tarnwick::CheckProblems(stream, out);
  return 0;
}
