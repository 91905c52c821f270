#pragma once

#include "mp3/audio_fingerprint.h"

namespace tarnwick {

// Offsets tried between two fingerprints, in items either way: about 5 s,
// room for leading silence and encoder delay that differ between copies.
inline constexpr int kMaxOffsetItems = 40;

// Overlaps shorter than this (about 10 s) say too little to tell recordings
// apart: over fewer items, unrelated music agrees by chance too often.
inline constexpr int kMinOverlapItems = 80;

// Similarities from here up mean the same recording (see SameRecording).
inline constexpr double kSameRecordingThreshold = 0.9;

// The share of equal bits, 1 - differing bits / compared bits, over the
// overlapping items at the best of the offsets tried; 0 when no offset leaves
// kMinOverlapItems to compare.
double FingerprintSimilarity(const AudioFingerprint& a, const AudioFingerprint& b);

inline bool SameRecording(double similarity) { return similarity >= kSameRecordingThreshold; }

}  // namespace tarnwick
