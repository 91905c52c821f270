#include "search/pair_check.h"

#include <algorithm>
#include <cmath>

#include "mp3/audio_fingerprint.h"
#include "mp3/fingerprint_match.h"
#include "search/run_analyses.h"

namespace tarnwick {
namespace {

using Reason = HeldPair::Reason;

std::optional<double> Similarity(const FingerprintResult& a, const FingerprintResult& b) {
  if (a.error || b.error) return std::nullopt;
  return FingerprintSimilarity(a.fingerprint, b.fingerprint);
}

// The similarity of the two recordings; none when one cannot be decoded.
// Each file is fingerprinted once per folder, as the file it was analysed as.
std::optional<double> Similarity(SearchRun& run, const PairFile& a, const PairFile& b) {
  if (run.analyses == nullptr) {
    return Similarity(FingerprintFile(a.path), FingerprintFile(b.path));
  }
  RunAnalyses& analyses = *run.analyses;
  analyses.PrepareFingerprints(a.path, a.analysis.identity, b.path, b.analysis.identity);
  return Similarity(analyses.Fingerprint(a.path, a.analysis.identity),
                    analyses.Fingerprint(b.path, b.analysis.identity));
}

bool HasDamageTheOtherHasNot(const Mp3Analysis& keep, const Mp3Analysis& other) {
  return std::any_of(keep.problems.begin(), keep.problems.end(), [&other](const Problem& p) {
    return std::none_of(other.problems.begin(), other.problems.end(),
                        [&p](const Problem& q) { return q.kind == p.kind; });
  });
}

bool KeepIsDamaged(const Mp3Analysis& keep, const Mp3Analysis& remove) {
  return keep.failure != 0 || keep.info.Errors > remove.info.Errors ||
         HasDamageTheOtherHasNot(keep, remove);
}

}  // namespace

bool LengthsDiffer(double a_seconds, double b_seconds) {
  const double longer = std::max(a_seconds, b_seconds);
  const double bound = std::min(2.0, std::max(0.25, 0.03 * longer));
  return std::abs(a_seconds - b_seconds) > bound;
}

std::optional<HoldReason> CheckPair(SearchRun& run, const PairFile& keep, const PairFile& remove) {
  if (LengthsDiffer(keep.analysis.playSeconds, remove.analysis.playSeconds)) {
    return HoldReason{Reason::kLengthsDiffer, std::nullopt};
  }
  const std::optional<double> similarity = Similarity(run, keep, remove);
  if (!similarity || !SameRecording(*similarity)) {
    return HoldReason{Reason::kDifferentRecordings, similarity};
  }
  if (KeepIsDamaged(keep.analysis, remove.analysis)) {
    return HoldReason{Reason::kKeepIsDamaged, similarity};
  }
  return std::nullopt;
}

}  // namespace tarnwick
