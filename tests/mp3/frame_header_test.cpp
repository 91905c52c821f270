#include "mp3/frame_header.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <tuple>
#include <utility>

namespace tarnwick {
namespace {

using Bytes = std::array<std::uint8_t, 4>;

TFrameHeader Decode(Bytes bytes, std::int32_t previous_length = 0) {
  return DecodeFrameHeader(bytes, previous_length);
}

// Byte 1: 111 vv ll p; byte 2: bbbb rr x q.
Bytes Header(int version, int layer, int bitrate_index, int sample_rate_index, int padding = 0) {
  return {0xFF, static_cast<std::uint8_t>(0xE1 | version << 3 | layer << 1),
          static_cast<std::uint8_t>(bitrate_index << 4 | sample_rate_index << 2 | padding << 1),
          0x64};
}

constexpr int kMpeg25 = 0, kReservedVersion = 1, kMpeg2 = 2, kMpeg1 = 3;
constexpr int kReservedLayer = 0, kLayerIII = 1, kLayerII = 2, kLayerI = 3;

// 1111 0010: MPEG-2, Layer III, protected by CRC (bit 0)
// 1010 0111: bitrate index 10, sample-rate index 1, padding, private
// 1001 1110: dual channel, mode extension 1, copyright, original, emphasis 2
TEST(DecodeFrameHeaderTest, FieldsTheAnalysisReads) {
  const TFrameHeader h = Decode({0xFF, 0xF2, 0xA7, 0x9E});
  EXPECT_EQ(h.version, 2);
  EXPECT_EQ(h.layer, 1);
  EXPECT_EQ(h.protection, 0);
  EXPECT_EQ(h.padding, 1);
  EXPECT_EQ(h.channel_mode, 2);
  EXPECT_EQ(h.mode_extension, 1);
  EXPECT_EQ(Decode({0xFF, 0xE1, 0x00, 0x00}).protection, 1);
}

TEST(DecodeFrameHeaderTest, BitrateComesFromTheColumnOfVersionAndLayer) {
  // Index 13 holds a different value in every column but 5 and 6, which the
  // standards share. Per version: Layers I, II, III, reserved (codes 3 to 0).
  const std::pair<int, std::array<int, 4>> cases[] = {{kMpeg1, {416, 320, 256, 224}},
                                                      {kReservedVersion, {416, 320, 256, 224}},
                                                      {kMpeg2, {224, 144, 144, 1}},
                                                      {kMpeg25, {224, 144, 144, 1}}};
  for (const auto& [version, bitrates] : cases) {
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(Decode(Header(version, 3 - i, 13, 0)).bitrate, bitrates[i]) << version << " " << i;
    }
  }
}

TEST(DecodeFrameHeaderTest, FreeFormatAndForbiddenBitrateIndexes) {
  for (int version : {kMpeg1, kMpeg2, kMpeg25}) {
    for (int layer : {kLayerI, kLayerII, kLayerIII}) {
      EXPECT_EQ(Decode(Header(version, layer, 0, 0)).bitrate, 0) << "free format";
      EXPECT_EQ(Decode(Header(version, layer, 15, 0)).bitrate, -1) << "forbidden index";
    }
  }
  // MPEG-1 Layer III has 40 kbit/s at index 2, where Layer II has 48.
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerIII, 2, 0)).bitrate, 40);
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerII, 2, 0)).bitrate, 48);
}

TEST(DecodeFrameHeaderTest, SampleRateByVersionAndIndex) {
  struct Case {
    int version, index, rate;
  };
  const Case cases[] = {
      {kMpeg1, 0, 44100},       {kMpeg1, 1, 48000},       {kMpeg1, 2, 32000},       {kMpeg1, 3, 0},
      {kMpeg2, 0, 22050},       {kMpeg2, 1, 24000},       {kMpeg2, 2, 16000},       {kMpeg2, 3, 0},
      {kMpeg25, 0, 11025},      {kMpeg25, 1, 12000},      {kMpeg25, 2, 8000},       {kMpeg25, 3, 0},
      {kReservedVersion, 0, 0}, {kReservedVersion, 1, 0}, {kReservedVersion, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "version " << c.version << " index " << c.index);
    EXPECT_EQ(Decode(Header(c.version, kLayerIII, 9, c.index)).sample_rate, c.rate);
  }
}

TEST(DecodeFrameHeaderTest, EachReservedOrForbiddenFieldIsOneFault) {
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerIII, 9, 0)).faults, 0);
  EXPECT_EQ(Decode(Header(kReservedVersion, kLayerIII, 9, 0)).faults, 1);
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerIII, 9, 3)).faults, 1);
  EXPECT_EQ(Decode(Header(kMpeg1, kReservedLayer, 9, 0)).faults, 1);
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerIII, 15, 0)).faults, 1);
  EXPECT_EQ(Decode(Header(kMpeg1, kLayerIII, 0, 0)).faults, 0) << "free format is no fault";
  EXPECT_EQ(Decode(Header(kReservedVersion, kReservedLayer, 15, 3)).faults, 4);
  EXPECT_EQ(Decode({0xFF, 0xFF, 0xFF, 0xFF}).faults, 2) << "bitrate index 15, rate index 3";
}

TEST(DecodeFrameHeaderTest, NoLengthWithoutSampleRateOrLayer) {
  for (int version : {kMpeg1, kMpeg2, kMpeg25}) {
    const TFrameHeader reserved_rate = Decode(Header(version, kLayerIII, 9, 3));
    EXPECT_EQ(reserved_rate.sample_rate, 0);
    EXPECT_EQ(reserved_rate.faults, 1);
    EXPECT_EQ(reserved_rate.frame_length, 0) << "first frame of a file";
    EXPECT_EQ(Decode(Header(version, kLayerIII, 9, 3), 417).frame_length, 417);
    EXPECT_EQ(Decode(Header(version, kReservedLayer, 9, 0, 1), -3).frame_length, -3);
  }
  EXPECT_EQ(Decode(Header(kReservedVersion, kLayerI, 4, 0), 52).frame_length, 52);
  // Byte 1 = 0xE9: version 01, layer 00, protection 1; column 4, index 9.
  const TFrameHeader h = Decode({0xFF, 0xE9, 0x90, 0x00}, 321);
  EXPECT_EQ(h.bitrate, 144);
  EXPECT_EQ(h.frame_length, 321);
}

// Each case: the header, the length of the frame before, the length.
TEST(DecodeFrameHeaderTest, OddBitratesEnterTheLengthAsTheyAre) {
  const std::tuple<Bytes, int, int> cases[] = {
      // Bitrate -1: 144000 x -1 div 44100 truncates toward zero to -3.
      {Header(kMpeg1, kLayerIII, 15, 0), 0, -3},
      {Header(kMpeg1, kLayerIII, 15, 0, 1), 0, -2},
      // Layer I: -12000 div 44100 is 0, so only the padding slot remains.
      {Header(kMpeg1, kLayerI, 15, 0, 1), 0, 4},
      // -12000 div 8000 is -1 (not -2): (-1 + 0) x 4.
      {Header(kMpeg25, kLayerI, 15, 2), 0, -4},
      {Header(kMpeg25, kLayerIII, 15, 2), 0, -9},
      // Free format: the length is the padding alone.
      {Header(kMpeg1, kLayerIII, 0, 0), 417, 0},
      {Header(kMpeg1, kLayerIII, 0, 0, 1), 417, 1}};
  for (const auto& [header, previous, length] : cases) {
    EXPECT_EQ(Decode(header, previous).frame_length, length) << testing::PrintToString(header);
  }
}

// Length from the frame's own sample rate and samples per frame.
TEST(DecodeFrameHeaderTest, FrameLengthAtEverySampleRate) {
  struct Case {
    int version, layer, bitrate_index, rate_index, padding, length;
  };
  const Case cases[] = {
      // MPEG-1 Layer III: 144000 x kbit/s div Hz + padding
      {kMpeg1, kLayerIII, 9, 0, 0, 417},  // 128 kbit/s, 44100 Hz
      {kMpeg1, kLayerIII, 9, 0, 1, 418},
      {kMpeg1, kLayerIII, 9, 1, 0, 384},   // 48000 Hz
      {kMpeg1, kLayerIII, 9, 2, 0, 576},   // 32000 Hz
      {kMpeg1, kLayerIII, 14, 1, 1, 961},  // 320 kbit/s, 48000 Hz
      // MPEG-1 Layer II: the same rule
      {kMpeg1, kLayerII, 10, 1, 0, 576},  // 192 kbit/s, 48000 Hz
      {kMpeg1, kLayerII, 1, 0, 1, 105},   // 32 kbit/s, 44100 Hz
      // Layer I: (12000 x kbit/s div Hz + padding) x 4
      {kMpeg1, kLayerI, 12, 0, 0, 416},  // 384 kbit/s, 44100 Hz
      {kMpeg1, kLayerI, 1, 0, 1, 36},    // 32 kbit/s: (8 + 1) x 4
      {kMpeg1, kLayerI, 4, 1, 0, 128},   // 128 kbit/s, 48000 Hz
      {kMpeg2, kLayerI, 14, 2, 1, 772},  // 256 kbit/s, 16000 Hz: (192 + 1) x 4
      // MPEG-2 and MPEG 2.5 Layer III: 72000 x kbit/s div Hz + padding
      {kMpeg2, kLayerIII, 8, 0, 0, 208},   // 64 kbit/s, 22050 Hz
      {kMpeg2, kLayerIII, 8, 1, 0, 192},   // 24000 Hz
      {kMpeg2, kLayerIII, 8, 2, 1, 289},   // 16000 Hz
      {kMpeg25, kLayerIII, 1, 2, 0, 72},   // 8 kbit/s, 8000 Hz
      {kMpeg25, kLayerIII, 4, 0, 0, 208},  // 32 kbit/s, 11025 Hz
      {kMpeg25, kLayerIII, 4, 1, 1, 193},  // 12000 Hz
      // MPEG-2 Layer II keeps 1152 samples: 144000 x kbit/s div Hz
      {kMpeg2, kLayerII, 10, 1, 0, 576},  // 96 kbit/s, 24000 Hz
      {kMpeg25, kLayerII, 1, 2, 0, 144},  // 8 kbit/s, 8000 Hz
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << &c - cases);
    const TFrameHeader h =
        Decode(Header(c.version, c.layer, c.bitrate_index, c.rate_index, c.padding), 999);
    EXPECT_EQ(h.frame_length, c.length);
    EXPECT_EQ(h.faults, 0);
  }
}

}  // namespace
}  // namespace tarnwick
