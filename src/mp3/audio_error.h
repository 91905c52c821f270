#pragma once

#include <system_error>

namespace tarnwick {

// Why a file gave no audio fingerprint. Files that cannot be opened report the
// operating system's error (std::system_category) instead.
enum class AudioError {
  kNoMpegAudio = 1,    // no decodable MPEG audio frame in the file
  kFingerprintFailed,  // the fingerprinter refused the decoded audio
};

const std::error_category& AudioErrorCategory();
std::error_code make_error_code(AudioError error);

}  // namespace tarnwick

template <>
struct std::is_error_code_enum<tarnwick::AudioError> : std::true_type {};
