#include "mp3/fingerprint_match.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tarnwick {
namespace {

using Items = std::span<const std::uint32_t>;

// Agreement of a[i + offset] with b[i] over the items both have.
double AgreementAt(Items a, Items b, int offset) {
  const std::size_t a_start = offset > 0 ? offset : 0;
  const std::size_t b_start = offset < 0 ? -offset : 0;
  if (a_start >= a.size() || b_start >= b.size()) return 0;
  const std::size_t overlap = std::min(a.size() - a_start, b.size() - b_start);
  if (overlap < kMinOverlapItems) return 0;
  std::int64_t differing = 0;
  for (std::size_t i = 0; i < overlap; ++i) {
    differing += std::popcount(a[a_start + i] ^ b[b_start + i]);
  }
  return 1.0 - static_cast<double>(differing) / (32.0 * static_cast<double>(overlap));
}

}  // namespace

double FingerprintSimilarity(const AudioFingerprint& a, const AudioFingerprint& b) {
  double best = 0;
  for (int offset = -kMaxOffsetItems; offset <= kMaxOffsetItems; ++offset) {
    best = std::max(best, AgreementAt(a.items, b.items, offset));
  }
  return best;
}

}  // namespace tarnwick
