#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnwick {

// One thing wrong with an MP3 file, found while its frames are walked (or,
// for kDecode, while it is decoded).
struct Problem {
  enum class Kind {
    kTruncated,     // the last frame lacks bytes, or the stream ends inside a header
    kFrameCount,    // the Xing/Info or VBRI header's counts disagree with the stream
    kCrc,           // a CRC-protected frame whose CRC-16 does not match
    kJunk,          // bytes that are no frame before, between or after the frames
    kZeros,         // a run of zero bytes where frames should be
    kStreamChange,  // version, layer, sample rate or channels change; a second Xing/Info frame
    kTagSize,       // an ID3v2 tag whose size points past the first frame or short of it
    kNotMp3,        // empty, no frame at all, all zeros, or another format
    kDecode,        // a frame the decoder cannot decode (deep check only)
  };

  Kind kind;
  std::int64_t offset;  // byte offset in the file
  std::string detail;   // short English text, e.g. "1,234 bytes missing"

  bool operator==(const Problem&) const = default;
};

// "truncated", "frame count", "crc", "junk", "zeros", "stream change",
// "tag size", "not mp3", "decode".
const char* ProblemKindName(Problem::Kind kind);

// 1234567 as "1,234,567", for detail texts.
std::string GroupedNumber(std::int64_t value);

// Problems of one file, at most `limit` of them: a damaged file can hold a
// problem every few hundred bytes, and a list of thousands helps nobody. The
// rest is counted and summed up in one last entry.
class ProblemList {
 public:
  explicit ProblemList(std::size_t limit = 100) : limit_(limit) {}

  void Add(Problem::Kind kind, std::int64_t offset, std::string detail);
  bool empty() const { return items_.empty(); }

  // The problems in order of offset, then "and N more problems" when some
  // were left out (with the kind and offset of the first one left out).
  std::vector<Problem> Take();

 private:
  std::size_t limit_;
  std::vector<Problem> items_;
  std::int64_t left_out_ = 0;
  Problem first_left_out_{Problem::Kind::kJunk, 0, {}};
};

}  // namespace tarnwick
