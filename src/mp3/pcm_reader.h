#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <system_error>

#include "mp3/buffered_file.h"

struct mpg123_handle_struct;

namespace tarnwick {

// Decodes an MP3 file to mono 16-bit samples at 11025 Hz, the rate chromaprint
// analyses. libmpg123 mixes the channels before the synthesis and synthesises
// only the sub-bands below the output's Nyquist frequency (a quarter of them
// at 44100 Hz), which is far cheaper than decoding at full rate and
// resampling. Encoder delay and padding are cut off when the file has a
// LAME/Xing header.
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

  // 11025 once the file is open.
  int SampleRate() const { return sample_rate_; }

  // Decodes into the front of `buffer` and returns the number of samples; 0
  // once the audio has ended. A decoding error ends the audio too.
  std::size_t Read(std::span<std::int16_t> buffer);

  // Whether the audio ended at the end of the file, not at an error.
  bool ReachedEnd() const { return reached_end_; }

  // Samples of the whole file at SampleRate(): exact when the file has a
  // LAME/Xing header or was read to its end, otherwise estimated from the
  // file size and the bitrate of the frames read so far; -1 when unknown.
  std::int64_t LengthInSamples() const;

 private:
  std::error_code StartDecoder();

  BufferedFile file_;
  mpg123_handle_struct* handle_ = nullptr;
  int sample_rate_ = 0;
  bool reached_end_ = false;
};

}  // namespace tarnwick
