#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <system_error>

struct mpg123_handle_struct;

namespace tarnwick {

// Decodes an MP3 file to mono 16-bit samples at 8000, 11025 or 12000 Hz, the
// rates a fingerprint needs: every MPEG sample rate is one of these divided by
// 1, 2 or 4, and libmpg123 reaches them by mixing the channels before the
// synthesis and decoding only the lowest quarter or half of the sub-bands,
// which is far cheaper than decoding at full rate and resampling. Encoder delay
// and padding are cut off when the file has a LAME/Xing header.
class Mp3PcmReader {
 public:
  Mp3PcmReader() = default;
  ~Mp3PcmReader();
  Mp3PcmReader(const Mp3PcmReader&) = delete;
  Mp3PcmReader& operator=(const Mp3PcmReader&) = delete;

  // Opens the file for reading only and decodes its first frame header. The
  // error is the system's when the file cannot be opened (a folder gives
  // EISDIR), AudioError::kNoMpegAudio when no MPEG audio frame is found.
  std::error_code Open(const std::string& path);

  int SampleRate() const { return sample_rate_; }

  // Decodes into the front of `buffer` and returns the number of samples; 0
  // once the audio has ended. A decoding error or a change of sample rate
  // within the file (joined streams) ends the audio too.
  std::size_t Read(std::span<std::int16_t> buffer);

  // Samples of the whole file at SampleRate(): exact when the file has a
  // LAME/Xing header or was read to its end, otherwise estimated from the
  // file size and the bitrate of the frames read so far; -1 when unknown.
  std::int64_t LengthInSamples() const;

 private:
  std::error_code OpenDescriptor(const std::string& path);
  std::error_code StartDecoder();

  mpg123_handle_struct* handle_ = nullptr;
  int fd_ = -1;
  int sample_rate_ = 0;
};

}  // namespace tarnwick
