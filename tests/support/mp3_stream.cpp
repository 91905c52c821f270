#include "support/mp3_stream.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace tarnwick::test {
namespace {

struct VersionInfo {
  int version;
  int code;                  // the 2-bit version field
  std::array<int, 3> rates;  // Hz by sample-rate index
};

constexpr std::array<VersionInfo, 3> kVersions = {{
    {1, 3, {44100, 48000, 32000}},
    {2, 2, {22050, 24000, 16000}},
    {25, 0, {11025, 12000, 8000}},
}};

// ISO/IEC 11172-3 and 13818-3 bitrates, kbit/s, by index 1 to 14.
constexpr std::array<std::array<int, 14>, 5> kBitrates = {{
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // MPEG-1 Layer I
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // MPEG-1 Layer II
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // MPEG-1 Layer III
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},     // MPEG-2/2.5 Layer I
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},          // MPEG-2/2.5 II, III
}};

const VersionInfo& Version(int version) {
  for (const VersionInfo& info : kVersions) {
    if (info.version == version) return info;
  }
  throw std::invalid_argument("version must be 1, 2 or 25");
}

int VersionForRate(int sample_rate) {
  for (const VersionInfo& info : kVersions) {
    for (int rate : info.rates) {
      if (rate == sample_rate) return info.version;
    }
  }
  throw std::invalid_argument("no MPEG version has the rate " + std::to_string(sample_rate));
}

int BitrateIndex(const FrameSpec& frame) {
  if (frame.bitrate == 0) return 0;
  const int row = frame.version == 1 ? frame.layer - 1 : (frame.layer == 1 ? 3 : 4);
  const auto& bitrates = kBitrates[static_cast<size_t>(row)];
  for (size_t i = 0; i < bitrates.size(); ++i) {
    if (bitrates[i] == frame.bitrate) return static_cast<int>(i) + 1;
  }
  throw std::invalid_argument("bitrate not in the table: " + std::to_string(frame.bitrate));
}

int SampleRateIndex(const FrameSpec& frame) {
  const auto& rates = Version(frame.version).rates;
  for (size_t i = 0; i < rates.size(); ++i) {
    if (rates[i] == frame.sample_rate) return static_cast<int>(i);
  }
  throw std::invalid_argument("rate not of this version: " + std::to_string(frame.sample_rate));
}

// Slots per frame times the sample rate. Layer I: 384 samples in 4-byte
// slots; Layer II and MPEG-1 Layer III: 1152 samples; MPEG-2 and MPEG 2.5
// Layer III: 576 samples; bytes = samples / 8 x bit/s / Hz.
std::int64_t SlotsTimesRate(const FrameSpec& frame) {
  const std::int64_t bits_per_second = 1000LL * frame.bitrate;
  if (frame.layer == 1) return 12 * bits_per_second;
  const int samples = frame.layer == 3 && frame.version != 1 ? 576 : 1152;
  return samples / 8 * bits_per_second;
}

// Encoders pad a frame whenever the fraction of a slot carried over from the
// frames before it adds up to a whole slot.
bool PaddedLikeEncoder(const FrameSpec& frame, std::int64_t index) {
  const std::int64_t per_frame = SlotsTimesRate(frame);
  const std::int64_t rate = frame.sample_rate;
  return (index + 1) * per_frame / rate - index * per_frame / rate > per_frame / rate;
}

}  // namespace

std::string RawHeader(int version_code, int layer_code, int bitrate_index, int sample_rate_index,
                      bool padding) {
  std::string header(4, '\0');
  header[0] = static_cast<char>(0xFF);
  header[1] = static_cast<char>(0xE1 | version_code << 3 | layer_code << 1);
  header[2] = static_cast<char>(bitrate_index << 4 | sample_rate_index << 2 | int{padding} << 1);
  header[3] = static_cast<char>(0x64);
  return header;
}

std::string Header(const FrameSpec& frame) {
  return RawHeader(Version(frame.version).code, 4 - frame.layer, BitrateIndex(frame),
                   SampleRateIndex(frame), frame.padding);
}

int FrameLength(const FrameSpec& frame) {
  const int slots = static_cast<int>(SlotsTimesRate(frame) / frame.sample_rate) + frame.padding;
  return frame.layer == 1 ? slots * 4 : slots;
}

std::string Frame(std::string_view header, int total_length) {
  std::string frame(header);
  frame.resize(static_cast<size_t>(total_length), '\0');
  return frame;
}

std::string Frame(const FrameSpec& frame) { return Frame(Header(frame), FrameLength(frame)); }

std::string BuildStream(const std::vector<FrameSpec>& frames) {
  std::string stream;
  for (const FrameSpec& frame : frames) stream += Frame(frame);
  return stream;
}

std::string CbrStream(int bitrate, int frames, int sample_rate) {
  FrameSpec frame{
      .version = VersionForRate(sample_rate), .bitrate = bitrate, .sample_rate = sample_rate};
  std::string stream;
  for (int i = 0; i < frames; ++i) {
    frame.padding = PaddedLikeEncoder(frame, i);
    stream += Frame(frame);
  }
  return stream;
}

std::string VbrStream(const std::vector<int>& bitrates, int sample_rate) {
  std::vector<FrameSpec> frames;
  for (int bitrate : bitrates) {
    frames.push_back(
        {.version = VersionForRate(sample_rate), .bitrate = bitrate, .sample_rate = sample_rate});
  }
  return BuildStream(frames);
}

std::string Id3v2Tag(int size) {
  std::string tag("ID3\x04\0\0", 6);  // version 2.4, no flags
  // The size as a synchsafe integer: four 7-bit groups, most significant first.
  for (int shift = 21; shift >= 0; shift -= 7) tag += static_cast<char>((size >> shift) & 0x7F);
  tag.append(static_cast<size_t>(size), '\0');
  return tag;
}

std::string Id3v1Tag(std::string_view title) {
  std::string tag = "TAG";
  tag += title.substr(0, 30);
  tag.resize(127, '\0');
  tag += static_cast<char>(0xFF);
  return tag;
}

std::string Garbage(std::size_t count) {
  std::string bytes(count, '\0');
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

}  // namespace tarnwick::test
