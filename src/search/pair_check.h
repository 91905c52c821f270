#pragma once

#include <optional>
#include <string>

#include "mp3/mp3_info.h"
#include "search/run_view.h"
#include "search/search_run.h"

namespace tarnwick {

// One file of a pair the rules have decided.
struct PairFile {
  const std::string& path;
  const Mp3Analysis& analysis;
};

// Whether two play times (exact seconds) are too far apart for one
// recording: more than 2 s, or more than 3 % of the longer one, where the
// 3 % never go below 0.25 s. Two encodings of one recording differ by at
// most 0.05 s (the walk counts an encoder's delay and padding frames); the
// floor keeps short files from being held for that.
bool LengthsDiffer(double a_seconds, double b_seconds);

// The check of a pair before its weaker copy goes: the reason to hold it, if
// there is one. In order: the play times differ; the recordings differ
// (audio fingerprints, once per file and folder; a file that cannot be
// decoded counts as another recording); the copy to keep is damaged (more
// errors, or damage the other has not).
struct HoldReason {
  HeldPair::Reason reason;
  std::optional<double> similarity;  // when the recordings were compared
};
std::optional<HoldReason> CheckPair(SearchRun& run, const PairFile& keep, const PairFile& remove);

}  // namespace tarnwick
