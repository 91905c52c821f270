#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarnwick::test {

// MPEG audio streams built frame by frame, with zeroed audio data, so that
// tests can write real MP3 files with a chosen bitrate, length and damage.
// Frame sizes follow the MPEG standards, not the analysis under test.

struct FrameSpec {
  int version = 1;          // 1 (MPEG-1), 2 (MPEG-2) or 25 (MPEG 2.5)
  int layer = 3;            // 1, 2 or 3
  int bitrate = 128;        // kbit/s, a value of the version's and layer's table; 0 free format
  int sample_rate = 44100;  // Hz, one of the version's three rates
  bool padding = false;     // one more slot (1 byte, 4 for Layer I)
};

// The 4 header bytes of a frame: no CRC, joint stereo, original.
std::string Header(const FrameSpec& frame);

// Header bytes from raw field codes, for reserved and forbidden values:
// version code 0 MPEG 2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1; layer code
// 0 reserved, 1 Layer III, 2 Layer II, 3 Layer I.
std::string RawHeader(int version_code, int layer_code, int bitrate_index, int sample_rate_index,
                      bool padding = false);

// The true size of the frame in bytes, header included.
int FrameLength(const FrameSpec& frame);

// A frame: its header and zeroed data up to FrameLength.
std::string Frame(const FrameSpec& frame);

// Any 4 header bytes followed by zeros up to `total_length` bytes.
std::string Frame(std::string_view header, int total_length);

std::string BuildStream(const std::vector<FrameSpec>& frames);

// `frames` Layer III frames at one bitrate, padded the way encoders pad so
// that the frames keep time with the sample rate; the version follows the
// rate (44100/48000/32000 MPEG-1, 22050/24000/16000 MPEG-2, else MPEG 2.5).
// 1000 frames at 44100 Hz play 26.12 seconds.
std::string CbrStream(int bitrate, int frames, int sample_rate = 44100);

// One Layer III frame per bitrate, unpadded.
std::string VbrStream(const std::vector<int>& bitrates, int sample_rate = 44100);

// An ID3v2.4 tag: the 10-byte header, then `size` bytes of zeroed content.
std::string Id3v2Tag(int size);

// A 128-byte ID3v1 tag with the given title and the genre byte 255 ("none").
std::string Id3v1Tag(std::string_view title = "");

// Bytes without 0xFF, so they never hold or start a sync.
std::string Garbage(std::size_t count);

}  // namespace tarnwick::test
