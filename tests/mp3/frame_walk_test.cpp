#include "mp3/frame_walk.h"

#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <string>
#include <vector>

#include "mp3/byte_source.h"
#include "mp3_info_print.h"
#include "support/mp3_stream.h"

namespace tarnwick {
namespace {

using test::BuildStream;
using test::CbrStream;
using test::FrameSpec;
using test::Garbage;
using test::Header;
using test::RawHeader;
using test::VbrStream;

WalkOutcome Walk(const std::string& stream) {
  return WalkFrames({reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()});
}

TMp3Info Info(const std::string& stream) {
  const WalkOutcome outcome = Walk(stream);
  EXPECT_EQ(outcome.failure, 0);
  return outcome.info;
}

// Fields in record order: Length, Bitrate, Errors, Vbr, Frames.
TMp3Info Expected(int length, int bitrate, int errors, bool vbr, int frames) {
  return {length, bitrate, errors, vbr, frames};
}

std::string Repeat(const std::string& frame, int count) {
  std::string stream;
  for (int i = 0; i < count; ++i) stream += frame;
  return stream;
}

// An unpadded 128 kbit/s MPEG-1 Layer III frame at 44100 Hz: 417 bytes.
const std::string kFrame = test::Frame(FrameSpec{});

// Each layer's frames are walked by their own lengths; play time = bytes /
// (kbit/s x 125).
TEST(FrameWalkCleanTest, EveryLayerIsWalkedByItsOwnLengths) {
  EXPECT_EQ(Info(CbrStream(64, 1000, 22050)), Expected(26, 64, 0, false, 1000));  // 208979 bytes
  const std::vector<FrameSpec> layer1(
      100, {.version = 1, .layer = 1, .bitrate = 128, .sample_rate = 48000});
  EXPECT_EQ(Info(BuildStream(layer1)), Expected(1, 128, 0, false, 100));  // 128 bytes: 0.8 s
  const std::vector<FrameSpec> layer2(
      100, {.version = 2, .layer = 2, .bitrate = 96, .sample_rate = 24000});
  EXPECT_EQ(Info(BuildStream(layer2)), Expected(5, 96, 0, false, 100));  // 576 bytes: 4.8 s
  const std::vector<FrameSpec> padded(
      100, {.version = 25, .layer = 1, .bitrate = 32, .sample_rate = 8000, .padding = true});
  EXPECT_EQ(Info(BuildStream(padded)), Expected(5, 32, 0, false, 100));  // 196 bytes: 4.9 s
}

std::string Id3v2Header(std::string_view size_bytes) {
  return std::string("ID3\x04\x00\x00", 6) + std::string(size_bytes);
}

// An ID3v2 tag whose last byte, 0xFF, would make a sync with the frame
// after it if the tag's size were misread by one.
std::string TagEndingInFf(int size) {
  std::string tag = test::Id3v2Tag(size);
  tag.back() = '\xFF';
  return tag;
}

// Bitrates of 14 frames at 128 kbit/s and two more.
std::vector<int> FourteenAnd(int a, int b) {
  std::vector<int> bitrates(14, 128);
  bitrates.insert(bitrates.end(), {a, b});
  return bitrates;
}

struct WalkCase {
  const char* name;
  std::string bytes;
  TMp3Info info;
};

// Streams the walk takes whole (no failure), with the record each must give.
TEST(FrameWalkTest, CountsErrorsBitratesAndFrames) {
  const std::string& f = kFrame;
  const std::string four = Repeat(f, 4);
  std::string ff_pairs;  // 0xFF and a byte below 0xE0: passed over without a skipped byte
  for (int i = 0; i < 5; ++i) ff_pairs += std::string("\xFF\x00", 2);
  std::string tag_content(257, '\0');  // a sync inside the tag, and 0xFF as its last byte
  tag_content.replace(100, 4, Header({}));
  tag_content.back() = '\xFF';
  std::string class_changes;
  for (int index : {3, 13, 13, 2}) class_changes += test::Frame(RawHeader(2, 0, index, 0), 100);
  const WalkCase cases[] = {
      // The quarter rule: one change (0 to the bitrate) against frames div 4.
      {"3 frames", CbrStream(128, 3), Expected(0, 128, 0, true, 3)},
      {"4 frames", CbrStream(128, 4), Expected(0, 128, 0, false, 4)},
      // A lone header: the walk never starts, so no change and no bitrate;
      // one more byte lets the walk take that frame.
      {"lone header", Header({}), Expected(0, 0, 0, false, 1)},
      {"header and a byte", Header({}) + '\0', Expected(0, 128, 0, true, 1)},
      // 8 frames allow 2 changes, the first (from 0) included.
      {"2 changes", VbrStream({128, 128, 128, 128, 160, 160, 160, 160}),
       Expected(0, 144, 0, false, 8)},
      {"3 changes", VbrStream({128, 128, 128, 160, 160, 128, 128, 128}),
       Expected(0, 136, 0, true, 8)},
      // Indexes 9 and 14 lie on both sides of 12, but the class is not
      // checked once a bitrate change is counted.
      {"bitrate changes", VbrStream({128, 320, 128, 320}), Expected(0, 224, 0, true, 4)},
      // Halves round to even: 2056 / 16 = 128.5, 2072 / 16 = 129.5.
      {"128.5", VbrStream(FourteenAnd(224, 40)), Expected(0, 128, 0, false, 16)},
      {"129.5", VbrStream(FourteenAnd(224, 56)), Expected(0, 130, 0, false, 16)},
      // One error per gap between frames; bytes before the first frame cost nothing.
      {"one gap", f + f + Garbage(10) + f + f, Expected(0, 128, 1, false, 4)},
      {"two gaps", f + Garbage(1) + f + Garbage(5000) + f + f, Expected(0, 128, 2, false, 4)},
      {"FF pairs", f + f + ff_pairs + f + f, Expected(0, 128, 0, false, 4)},
      {"FF pairs and a byte", f + f + ff_pairs + "a" + f + f, Expected(0, 128, 1, false, 4)},
      {"garbage first", Garbage(300) + Repeat(f, 8), Expected(0, 128, 0, false, 8)},
      {"FF first", std::string("\xFF\x10", 2) + Repeat(f, 8), Expected(0, 128, 0, false, 8)},
      // "a b FF" then a frame: the sync is found at the stray 0xFF (+1 error
      // for "a b"). Its header FF FF FB 90 reads as MPEG-1 Layer I with
      // bitrate index 15 at 32000 Hz, padded: 1 fault, length (0 + 1) x 4, so
      // the next search starts inside the real header and skips to the frame
      // after it (+1 error).
      {"stray FF", f + f + "ab\xFF" + f + f, Expected(0, 96, 3, true, 4)},
      // Bitrate index 0: the length is the padding bit. Unpadded, each search
      // starts at the frame itself and meets its own sync first.
      {"free format", Repeat(test::Frame(RawHeader(3, 1, 0, 0), 200), 3),
       Expected(0, 0, 5, false, 6)},
      {"free format padded", Repeat(test::Frame(RawHeader(3, 1, 0, 0, true), 200), 3),
       Expected(0, 0, 2, false, 3)},
      // MPEG-2 with the reserved layer: bitrate 1 from no column, never a
      // change; the length stays 0. Each frame: 1 fault, its own sync again,
      // and a gap to the next. Bitrate indexes 3, 13, 13, 2 cross 12 twice:
      // +2 errors.
      {"bitrate classes", class_changes, Expected(0, 0, 13, false, 8)},
      // Index 12 is the first of the high class: two such frames are no change.
      {"bitrate class 12", Repeat(test::Frame(RawHeader(2, 0, 12, 0), 100), 2),
       Expected(0, 0, 5, false, 4)},
      // After the first frame's change (0 to 128) the class is not checked: the
      // no-column frame of index 13 carries the length 417 and costs its fault;
      // its bitrate 1 adds 417 / 125 s.
      {"class after a change", f + test::Frame(RawHeader(2, 0, 13, 0), 500),
       Expected(3, 64, 1, true, 2)},
      // A frame with a single fault (the reserved sample rate, which carries the
      // length) stays out of the bitrate sum: 9 x 128 / 10 = 115.2.
      {"one fault", Repeat(f, 4) + test::Frame(RawHeader(3, 1, 9, 3), 417) + Repeat(f, 5),
       Expected(0, 115, 1, false, 10)},
      // A middle frame with bitrate index 15 has length -3 (-2 padded). Its
      // search meets its own sync (+1 error, +1 frame), then the next frame
      // after a gap (+1 error, +1 frame). Its bitrate -1 stays out of the sum
      // (9 x 128 / 11 frames = 104.7); bitrate changes: 0 to 128, to -1, back.
      {"forbidden index", four + test::Frame(RawHeader(3, 1, 15, 0), 417) + Repeat(f, 5),
       Expected(0, 105, 3, true, 11)},
      {"forbidden index padded",
       four + test::Frame(RawHeader(3, 1, 15, 0, true), 417) + Repeat(f, 5),
       Expected(0, 105, 3, true, 11)},
      // A last frame with its header (and some data) is counted without
      // error; with only 1 or 2 of its bytes it is not found.
      {"ID3v1 tag", four + test::Id3v1Tag("Title"), Expected(0, 128, 0, false, 4)},
      {"last header", four + f.substr(0, 4), Expected(0, 128, 0, false, 5)},
      {"last 100 bytes", four + f.substr(0, 100), Expected(0, 128, 0, false, 5)},
      {"last byte", four + f.substr(0, 1), Expected(0, 128, 0, false, 4)},
      {"last 2 bytes", four + f.substr(0, 2), Expected(0, 128, 0, false, 4)},
      // Size bytes 00 00 02 01: 2 x 128 + 1 = 257 bytes after the header.
      {"ID3v2 tag", Id3v2Header(std::string("\x00\x00\x02\x01", 4)) + tag_content + Repeat(f, 8),
       Expected(0, 128, 0, false, 8)},
      // 0x80 is no valid 7-bit group, yet counts as 128.
      {"ID3v2 size 0x80",
       Id3v2Header(std::string("\x00\x00\x00\x80", 4)) + tag_content.substr(0, 128) + Repeat(f, 8),
       Expected(0, 128, 0, false, 8)},
      {"ID3v2 of 1000 bytes", TagEndingInFf(1000) + Repeat(f, 8), Expected(0, 128, 0, false, 8)},
      {"ID3v2 of 16 KiB", TagEndingInFf(16384) + Repeat(f, 8), Expected(0, 128, 0, false, 8)},
      {"ID3v2 of 2 MiB", TagEndingInFf(2097152) + Repeat(f, 8), Expected(0, 128, 0, false, 8)},
  };
  for (const WalkCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Info(c.bytes), c.info);
  }
}

struct FailureCase {
  const char* name;
  std::string bytes;
  int failure;
  TMp3Info info;
};

TEST(FrameWalkFailureTest, ShortAndSynclessStreams) {
  const TMp3Info none = Expected(-1, 0, 0, false, 0);
  const FailureCase cases[] = {
      {"last frame cut to 3 bytes", Repeat(kFrame, 4) + kFrame.substr(0, 3), kReadBeyondEnd,
       Expected(-1, 102, 0, false, 5)},  // 512 / 5
      {"empty", "", kReadBeyondEnd, none},
      {"three bytes", Header({}).substr(0, 3), kReadBeyondEnd, none},
      {"zeros", std::string(1000, '\0'), kPositionBeforeStart, none},
      {"garbage", Garbage(1000), kPositionBeforeStart, none},
      {"ID3 shorter than 10 bytes", test::Id3v2Tag(0).substr(0, 9), kReadBeyondEnd, none},
      {"ID3 tag beyond the end", test::Id3v2Tag(1000).substr(0, 500) + Repeat(kFrame, 2),
       kPositionBeforeStart, none},
      {"0xFF as last byte", std::string("\x00\x00\x00\xFF", 4), kReadBeyondEnd, none},
      {"sync 3 bytes before the end", std::string(1, '\0') + Header({}).substr(0, 3),
       kReadBeyondEnd, Expected(-1, 0, 0, false, 1)},
      {"sync 2 bytes before the end", std::string("\x00\x00", 2) + Header({}).substr(0, 2),
       kReadBeyondEnd, Expected(-1, 0, 0, false, 1)},
      // Length -3 from offset 0 puts the search before the start; the one
      // change (0 to -1) is more than 1 div 4.
      {"faulty first header", test::Frame(RawHeader(3, 1, 15, 0), 500), kPositionBeforeStart,
       Expected(-1, 0, 1, true, 1)},
  };
  for (const FailureCase& c : cases) {
    SCOPED_TRACE(c.name);
    const WalkOutcome outcome = Walk(c.bytes);
    EXPECT_EQ(outcome.failure, c.failure);
    EXPECT_EQ(outcome.info, c.info);
  }
}

// `copies` repetitions of `block` (a whole number of pages) that occupy its
// memory only once: the pages of one memory file are mapped again and again,
// side by side. Empty when the mapping fails.
std::span<const std::uint8_t> RepeatedMapping(const std::string& block, std::size_t copies) {
  const std::size_t size = block.size() * copies;
  void* base = mmap(nullptr, size, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  const int fd = memfd_create("stream", MFD_CLOEXEC);
  bool ok = base != MAP_FAILED && fd >= 0 &&
            write(fd, block.data(), block.size()) == static_cast<ssize_t>(block.size());
  for (std::size_t i = 0; ok && i < copies; ++i) {
    void* at = static_cast<char*>(base) + i * block.size();
    ok = mmap(at, block.size(), PROT_READ, MAP_SHARED | MAP_FIXED, fd, 0) != MAP_FAILED;
  }
  if (fd >= 0) close(fd);
  if (ok) return {static_cast<const std::uint8_t*>(base), size};
  if (base != MAP_FAILED) munmap(base, size);
  return {};
}

TEST(FrameWalkLargeTest, StreamBeyond2GiBWithABitrateSumBeyond32Bits) {
  // 448-byte frames (Layer I, 448 kbit/s, 48000 Hz); 4096 of them fill 448 pages.
  const std::vector<FrameSpec> block(4096, {.layer = 1, .bitrate = 448, .sample_rate = 48000});
  const std::span<const std::uint8_t> stream = RepeatedMapping(BuildStream(block), 1200);
  ASSERT_GT(stream.size(), 1ull << 31);
  // 4915200 frames x 448 kbit/s is above 2^31; 4915200 x 0.008 s = 39321.6 s.
  const WalkOutcome outcome = WalkFrames(stream);
  munmap(const_cast<std::uint8_t*>(stream.data()), stream.size());
  EXPECT_EQ(outcome.failure, 0);
  EXPECT_EQ(outcome.info, Expected(39322, 448, 0, false, 4915200));
}

}  // namespace
}  // namespace tarnwick
