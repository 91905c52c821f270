#include "mp3/pcm_reader.h"

#include <mpg123.h>

#include "mp3/audio_error.h"

namespace tarnwick {
namespace {

// The rate chromaprint analyses; decoding straight to it spares chromaprint
// its own resampling, which costs a third of the decoding time.
constexpr long kOutputRate = 11025;

mpg123_ssize_t ReadFile(void* file, void* out, std::size_t count) {
  return static_cast<BufferedFile*>(file)->Read(out, count);
}

off_t SeekFile(void* file, off_t offset, int whence) {
  return static_cast<BufferedFile*>(file)->Seek(offset, whence);
}

}  // namespace

Mp3PcmReader::~Mp3PcmReader() {
  if (handle_ != nullptr) mpg123_delete(handle_);
}

std::error_code Mp3PcmReader::Open(const std::string& path) {
  if (const std::error_code error = file_.Open(path)) return error;
  return StartDecoder();
}

std::error_code Mp3PcmReader::StartDecoder() {
  handle_ = mpg123_new(nullptr, nullptr);
  if (handle_ == nullptr) return std::make_error_code(std::errc::not_enough_memory);
  // QUIET: the library would otherwise print its complaints about bad frames.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_MONO_MIX, 0);
  mpg123_param(handle_, MPG123_FORCE_RATE, kOutputRate, 0);
  mpg123_format_none(handle_);
  mpg123_format(handle_, kOutputRate, MPG123_MONO, MPG123_ENC_SIGNED_16);
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_replace_reader_handle(handle_, ReadFile, SeekFile, nullptr) != MPG123_OK ||
      mpg123_open_handle(handle_, &file_) != MPG123_OK ||
      mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
    return AudioError::kNoMpegAudio;
  }
  sample_rate_ = static_cast<int>(rate);
  return {};
}

std::size_t Mp3PcmReader::Read(std::span<std::int16_t> buffer) {
  std::size_t bytes = 0;
  if (mpg123_read(handle_, buffer.data(), buffer.size_bytes(), &bytes) == MPG123_DONE) {
    reached_end_ = true;
  }
  return bytes / sizeof(std::int16_t);
}

std::int64_t Mp3PcmReader::LengthInSamples() const {
  const off_t length = mpg123_length(handle_);
  return length < 0 ? -1 : static_cast<std::int64_t>(length);
}

}  // namespace tarnwick
