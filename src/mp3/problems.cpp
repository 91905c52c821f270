#include "mp3/problems.h"

#include <algorithm>

namespace tarnwick {

const char* ProblemKindName(Problem::Kind kind) {
  switch (kind) {
    case Problem::Kind::kTruncated: return "truncated";
    case Problem::Kind::kFrameCount: return "frame count";
    case Problem::Kind::kCrc: return "crc";
    case Problem::Kind::kJunk: return "junk";
    case Problem::Kind::kZeros: return "zeros";
    case Problem::Kind::kStreamChange: return "stream change";
    case Problem::Kind::kTagSize: return "tag size";
    case Problem::Kind::kNotMp3: return "not mp3";
    case Problem::Kind::kDecode: return "decode";
  }
  return "?";
}

std::string GroupedNumber(std::int64_t value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  for (std::ptrdiff_t at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return value < 0 ? "-" + digits : digits;
}

void ProblemList::Add(Problem::Kind kind, std::int64_t offset, std::string detail) {
  if (items_.size() < limit_) {
    items_.push_back({kind, offset, std::move(detail)});
    return;
  }
  if (left_out_++ == 0) first_left_out_ = {kind, offset, {}};
}

std::vector<Problem> ProblemList::Take() {
  std::stable_sort(items_.begin(), items_.end(),
                   [](const Problem& a, const Problem& b) { return a.offset < b.offset; });
  if (left_out_ > 0) {
    first_left_out_.detail = "and " + GroupedNumber(left_out_) + " more problems";
    items_.push_back(first_left_out_);
  }
  left_out_ = 0;
  return std::move(items_);
}

}  // namespace tarnwick
