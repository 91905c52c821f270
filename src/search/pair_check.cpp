#include "search/pair_check.h"

#include <algorithm>
#include <cmath>

#include "mp3/fingerprint_match.h"

namespace tarnwick {
namespace {

using Reason = HeldPair::Reason;

// The fingerprint of a file, made once per run: a file changed since keeps
// no fingerprint of its old self.
const FingerprintResult& FingerprintOf(SearchRun& run, const PairFile& file) {
  auto found = run.fingerprints.find(file.path);
  if (found == run.fingerprints.end() || found->second.identity != file.analysis.identity) {
    found = run.fingerprints
                .insert_or_assign(file.path, CachedFingerprint{file.analysis.identity,
                                                               FingerprintFile(file.path)})
                .first;
  }
  return found->second.result;
}

// The similarity of the two recordings; none when one cannot be decoded.
std::optional<double> Similarity(SearchRun& run, const PairFile& a, const PairFile& b) {
  const FingerprintResult& fa = FingerprintOf(run, a);
  const FingerprintResult& fb = FingerprintOf(run, b);
  if (fa.error || fb.error) return std::nullopt;
  return FingerprintSimilarity(fa.fingerprint, fb.fingerprint);
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
