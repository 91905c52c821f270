#include "mp3/audio_error.h"

#include <string>

namespace tarnwick {
namespace {

class AudioErrorCategoryImpl : public std::error_category {
 public:
  const char* name() const noexcept override { return "audio"; }

  std::string message(int code) const override {
    switch (static_cast<AudioError>(code)) {
      case AudioError::kNoMpegAudio: return "no decodable MPEG audio";
      case AudioError::kFingerprintFailed: return "the audio could not be fingerprinted";
    }
    return "unknown audio error";
  }
};

}  // namespace

const std::error_category& AudioErrorCategory() {
  static const AudioErrorCategoryImpl category;
  return category;
}

std::error_code make_error_code(AudioError error) {
  return {static_cast<int>(error), AudioErrorCategory()};
}

}  // namespace tarnwick
