#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace tarnwick {

// The fields of a 4-byte MPEG audio frame header and the values derived from
// them. Bytes in file order, bit 7 the most significant:
//
//   byte 0  ssssssss   sync, all set
//   byte 1  sssvvllp   sync (3 bits), version, layer, protection
//   byte 2  bbbbrrxq   bitrate index, sample-rate index, padding, private
//   byte 3  ccmmyoee   channel mode, mode extension, copyright, original, emphasis
//
// Version: 0 MPEG 2.5, 1 reserved, 2 MPEG-2, 3 MPEG-1.
// Layer:   0 reserved, 1 Layer III, 2 Layer II, 3 Layer I.
struct TFrameHeader {
  std::uint8_t version = 0;
  std::uint8_t layer = 0;
  std::uint8_t protection = 0;
  std::uint32_t bitrate_index = 0;
  std::uint8_t sample_rate_index = 0;
  std::uint8_t padding = 0;
  std::uint8_t private_bit = 0;
  std::uint8_t channel_mode = 0;
  std::uint8_t mode_extension = 0;
  std::uint8_t copyright = 0;
  std::uint8_t original = 0;
  std::uint8_t emphasis = 0;

  std::int32_t bitrate = 0;       // kbit/s; 0 free format, -1 index 15, kNoColumnBitrate
  std::int32_t sample_rate = 0;   // Hz; 0 for a reserved version or index
  std::int32_t frame_length = 0;  // bytes to the next header; 0 or less when faulty
  std::int32_t faults = 0;        // failed header checks, 0 to 4
};

// kbit/s by bitrate index (rows) and column: columns 1 to 3 are MPEG-1
// Layer I, II, III; 4 to 6 are MPEG-2 and MPEG 2.5 Layer I, II, III. Row 0 is
// free format, row 15 the forbidden index.
inline constexpr std::array<std::array<std::int32_t, 6>, 16> BitrateTable = {{
    {0, 0, 0, 0, 0, 0},
    {32, 32, 32, 32, 8, 8},
    {64, 48, 40, 48, 16, 16},
    {96, 56, 48, 56, 24, 24},
    {128, 64, 56, 64, 32, 32},
    {160, 80, 64, 80, 40, 40},
    {192, 96, 80, 96, 48, 48},
    {224, 112, 96, 112, 56, 56},
    {256, 128, 112, 128, 64, 64},
    {288, 160, 128, 144, 80, 80},
    {320, 192, 160, 160, 96, 96},
    {352, 224, 192, 176, 112, 112},
    {384, 256, 224, 192, 128, 128},
    {416, 320, 256, 224, 144, 144},
    {448, 384, 320, 256, 160, 160},
    {-1, -1, -1, -1, -1, -1},
}};

// Hz by version (row) and sample-rate index (column); 0 marks the reserved
// version 1 and the reserved index 3.
inline constexpr std::array<std::array<std::int32_t, 4>, 4> SampleRateTable = {{
    {11025, 12000, 8000, 0},
    {0, 0, 0, 0},
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
}};

// The bitrate of a header whose version and layer select no table column
// (MPEG-2 or MPEG 2.5 with the reserved layer). No table cell holds 1, so the
// value also tells such frames apart from those with a table bitrate.
inline constexpr std::int32_t kNoColumnBitrate = 1;

// 1-based column of BitrateTable for a version and layer, 3 x (1 - (version
// AND 1)) + (4 - layer); 7 means no column. The reserved version reads the
// MPEG-1 columns, and the reserved layer under MPEG-1 the MPEG-2 Layer I one.
constexpr int BitrateColumn(std::uint8_t version, std::uint8_t layer) {
  return 3 * (1 - (version & 1)) + (4 - layer);
}

// A header starts where 0xFF is followed by a byte with its top three bits
// set: the 11 sync bits. Nothing else is looked at.
constexpr bool IsFrameSync(std::uint8_t b0, std::uint8_t b1) { return b0 == 0xFF && b1 >= 0xE0; }

// Decodes any four bytes; a faulty header shows only in `faults` and in odd
// derived values. Where no length can be computed (sample rate 0 or reserved
// layer) the frame keeps `previous_length`, which is 0 for a file's first frame.
TFrameHeader DecodeFrameHeader(std::span<const std::uint8_t, 4> bytes,
                               std::int32_t previous_length);

}  // namespace tarnwick
