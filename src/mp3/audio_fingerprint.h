#pragma once

#include <cstdint>
#include <string>
#include <system_error>
#include <vector>

namespace tarnwick {

// The raw chromaprint fingerprint of the start of a file: one 32-bit item per
// 1365 samples at 11025 Hz (about 0.124 s), each bit the sign of one filter
// over the chroma of the surrounding frames.
struct AudioFingerprint {
  std::vector<std::uint32_t> items;
  // Play time of the whole file as decoded (encoder delay and padding cut off
  // where the file tells them); an estimate for files longer than the
  // fingerprinted part that have no LAME/Xing header.
  double duration_seconds = 0;
};

struct FingerprintResult {
  AudioFingerprint fingerprint;
  std::error_code error;  // the system's error, or an AudioError
};

// The part of a file that is fingerprinted, from its start. 90 s keep a pair
// of four-minute songs under 0.2 s on one core (about 0.17 s, against 0.25 s
// for 120 s); the calibration separates same and different recordings as well
// over 15 s as over 60 s (docs/fingerprint-calibration.md).
inline constexpr double kFingerprintSeconds = 90;

// Decodes the first `seconds` of the MP3 file at `path` and fingerprints them.
// A file too short for one item (about 2.5 s) gives an empty fingerprint, not
// an error; a decoding error after the first frames (damage that libmpg123
// cannot skip) ends the fingerprint there.
FingerprintResult FingerprintFile(const std::string& path, double seconds = kFingerprintSeconds);

}  // namespace tarnwick
