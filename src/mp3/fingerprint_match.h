#pragma once

#include "mp3/audio_fingerprint.h"

namespace tarnwick {

// Offsets tried between two fingerprints, in items either way: about 5 s,
// room for leading silence and encoder delay that differ between copies.
inline constexpr int kMaxOffsetItems = 40;

// Overlaps shorter than this (about 10 s) say too little to tell recordings
// apart: over fewer items, unrelated music agrees by chance too often.
inline constexpr int kMinOverlapItems = 80;

// Similarities from here up mean the same recording. Calibrated on generated
// songs encoded by lame and ffmpeg at 64 to 320 kbit/s, CBR and VBR, 22.05 to
// 48 kHz (docs/fingerprint-calibration.md): one recording in any two encodings
// scored 0.966 or more, different recordings (other songs, another tune on
// the same instruments, another part of the piece, a live take) 0.795 or less.
// The threshold sits nearer the same recordings' side: taking two songs for one
// recording gets a song deleted, while missing a true pair only holds it.
inline constexpr double kSameRecordingThreshold = 0.90;

// The share of equal bits, 1 - differing bits / compared bits, over the
// overlapping items at the best of the offsets tried; 0 when no offset leaves
// kMinOverlapItems to compare.
double FingerprintSimilarity(const AudioFingerprint& a, const AudioFingerprint& b);

inline bool SameRecording(double similarity) { return similarity >= kSameRecordingThreshold; }

}  // namespace tarnwick
