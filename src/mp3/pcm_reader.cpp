#include "mp3/pcm_reader.h"

#include <fcntl.h>
#include <mpg123.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "mp3/audio_error.h"

namespace tarnwick {
namespace {

// Each is an MPEG sample rate divided by 1, 2 or 4: 44100, 22050 and 11025 Hz
// reach 11025; 48000, 24000, 12000 reach 12000; 32000, 16000, 8000 reach 8000.
// libmpg123 takes the first of native, half and quarter rate that is allowed.
constexpr long kOutputRates[] = {8000, 11025, 12000};

std::error_code SystemError(int error) { return {error, std::system_category()}; }

}  // namespace

Mp3PcmReader::~Mp3PcmReader() {
  if (handle_ != nullptr) mpg123_delete(handle_);
  if (fd_ >= 0) close(fd_);
}

std::error_code Mp3PcmReader::Open(const std::string& path) {
  if (const std::error_code error = OpenDescriptor(path)) return error;
  return StartDecoder();
}

std::error_code Mp3PcmReader::OpenDescriptor(const std::string& path) {
  // O_NONBLOCK keeps a FIFO without a writer from blocking the open; it does
  // nothing to regular files.
  do {
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (fd_ < 0 && errno == EINTR);
  if (fd_ < 0) return SystemError(errno);
  struct stat st {};
  if (fstat(fd_, &st) != 0) return SystemError(errno);
  if (S_ISDIR(st.st_mode)) return SystemError(EISDIR);
  return {};
}

std::error_code Mp3PcmReader::StartDecoder() {
  handle_ = mpg123_new(nullptr, nullptr);
  if (handle_ == nullptr) return std::make_error_code(std::errc::not_enough_memory);
  // QUIET: the library would otherwise print its complaints about bad frames.
  mpg123_param(handle_, MPG123_ADD_FLAGS, MPG123_QUIET | MPG123_MONO_MIX, 0);
  mpg123_format_none(handle_);
  for (const long rate : kOutputRates) {
    mpg123_format(handle_, rate, MPG123_MONO, MPG123_ENC_SIGNED_16);
  }
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_open_fd(handle_, fd_) != MPG123_OK ||
      mpg123_getformat(handle_, &rate, &channels, &encoding) != MPG123_OK) {
    return AudioError::kNoMpegAudio;
  }
  sample_rate_ = static_cast<int>(rate);
  return {};
}

std::size_t Mp3PcmReader::Read(std::span<std::int16_t> buffer) {
  std::size_t bytes = 0;
  mpg123_read(handle_, buffer.data(), buffer.size_bytes(), &bytes);
  return bytes / sizeof(std::int16_t);
}

std::int64_t Mp3PcmReader::LengthInSamples() const {
  const off_t length = mpg123_length(handle_);
  return length < 0 ? -1 : static_cast<std::int64_t>(length);
}

}  // namespace tarnwick
