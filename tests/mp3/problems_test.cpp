// The problems named by the analysis: none for clean encoder output, the
// right kind at the right offset for each kind of damage.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>
#include <utility>

#include "mp3/frame_walk.h"
#include "mp3/mp3_info.h"
#include "mp3/trailing_tags.h"
#include "support/mp3_stream.h"
#include "support/sample_set.h"
#include "support/temp_dir.h"

namespace tarnwick {

void PrintTo(const Problem& p, std::ostream* os) {
  *os << ProblemKindName(p.kind) << " at " << p.offset << ": " << p.detail;
}

namespace {

using Kind = Problem::Kind;

std::set<Kind> KindsOf(const std::vector<Problem>& problems) {
  std::set<Kind> kinds;
  for (const Problem& p : problems) kinds.insert(p.kind);
  return kinds;
}

WalkOutcome Walk(const std::string& stream, ProblemScan scan = ProblemScan::kFind) {
  return WalkFrames({reinterpret_cast<const std::uint8_t*>(stream.data()), stream.size()}, scan);
}

TEST(SampleSetTest, CleanEncoderOutputHasNoProblemsEvenDecoded) {
  test::TempDir dir;
  for (const test::SampleFile& file : test::CleanSet()) {
    SCOPED_TRACE(file.name);
    const Mp3Analysis analysis = AnalyseMp3(dir.WriteFile(file.name, file.bytes), true);
    EXPECT_EQ(analysis.failure, 0);
    EXPECT_EQ(analysis.problems, std::vector<Problem>{});
  }
}

TEST(SampleSetTest, EachDamageIsNamedWhereItIs) {
  test::TempDir dir;
  for (const test::SampleFile& file : test::DamagedSet()) {
    SCOPED_TRACE(file.name);
    const Mp3Analysis analysis = AnalyseMp3(dir.WriteFile(file.name, file.bytes), file.deep);
    std::set<Kind> expected;
    for (const test::ExpectedProblem& e : file.expected) expected.insert(e.kind);
    EXPECT_EQ(KindsOf(analysis.problems), expected) << testing::PrintToString(analysis.problems);
    for (const test::ExpectedProblem& e : file.expected) {
      const bool found =
          std::any_of(analysis.problems.begin(), analysis.problems.end(),
                      [&](const Problem& p) { return p.kind == e.kind && p.offset == e.offset; });
      EXPECT_TRUE(found || e.offset < 0) << ProblemKindName(e.kind) << " at " << e.offset;
    }
  }
}

// The problem scan leaves the walk's record exactly as it was.
TEST(SampleSetTest, ProblemScanChangesNoRecord) {
  std::vector<test::SampleFile> files = test::CleanSet();
  for (test::SampleFile& file : test::DamagedSet()) files.push_back(std::move(file));
  for (const test::SampleFile& file : files) {
    SCOPED_TRACE(file.name);
    const WalkOutcome plain = Walk(file.bytes, ProblemScan::kSkip);
    const WalkOutcome scanned = Walk(file.bytes);
    EXPECT_EQ(scanned.info, plain.info);
    EXPECT_EQ(scanned.failure, plain.failure);
    EXPECT_EQ(scanned.playSeconds, plain.playSeconds);
  }
}

TEST(ProblemDetailTest, TextsNameCountsAndPlaces) {
  const std::string stream = test::CbrStream(128, 40);  // 417/418-byte frames, 16718 bytes
  const std::int64_t end = static_cast<std::int64_t>(stream.size());
  struct Case {
    std::string bytes;
    Problem expected;
  };
  const Case cases[] = {
      {stream.substr(0, stream.size() - 1234), {Kind::kTruncated, 15464, "398 bytes missing"}},
      {stream + "\xFF\xFB",
       {Kind::kTruncated, end, "the stream ends inside a frame header (2 of 4 bytes)"}},
      {stream + test::Garbage(5), {Kind::kJunk, end, "5 bytes after the last frame"}},
      {std::string(3, '\0') + stream, {Kind::kZeros, 0, "3 bytes of zeros before the first frame"}},
      {stream + test::Id3v1Tag() + stream,
       {Kind::kJunk, end, "128 bytes between frames (an ID3v1 tag)"}},
      {stream + test::CbrStream(64, 10, 22050),
       {Kind::kStreamChange, end,
        "MPEG-1 Layer III, 44,100 Hz, stereo to MPEG-2 Layer III, 22,050 Hz, stereo"}},
      {std::string("RIFF\x10\0\0\0WAVEfmt ", 16),
       {Kind::kNotMp3, 0, "RIFF/WAVE audio, not MPEG audio"}},
      {std::string(5000, '\0'), {Kind::kNotMp3, 0, "all 5,000 bytes are zero"}},
      {"\xEF\xBB\xBF <!doctype html>\n<html></html>",
       {Kind::kNotMp3, 0, "HTML page, not MPEG audio"}},
      // The walk fails on a sync in a tag's last three bytes.
      {stream + test::Id3v1Tag().substr(0, 125) + "\xFF\xFB\x90",
       {Kind::kTruncated, end + 125, "the file ends with the start of a frame header"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected.detail);
    EXPECT_EQ(Walk(c.bytes).problems, std::vector<Problem>{c.expected});
  }
}

std::string BigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

// The counts a VBR header gives: Xing frames after its own frame and bytes
// from its frame (or of the whole file); VBRI frames with or without its own.
// The header lies in the first of 40 CBR frames, 36 bytes in: after the side
// information of MPEG-1 stereo (VBRI always 32 bytes after the header).
TEST(ProblemDetailTest, VbrHeaderCountsAreCheckedAsWritten) {
  const std::string stream = test::CbrStream(128, 40);
  const auto size = static_cast<std::uint32_t>(stream.size());
  const auto vbri = [&](int frames) {
    return "VBRI" + std::string(6, '\0') + BigEndian(size) + BigEndian(frames);
  };
  // Each header, and whether its counts are a frame count problem.
  const std::pair<std::string, bool> cases[] = {
      {"Xing" + BigEndian(3) + BigEndian(39) + BigEndian(size), false},
      {"Xing" + BigEndian(2) + BigEndian(size), false},
      {"Xing" + BigEndian(2) + BigEndian(size - 1), true},
      {"Info" + BigEndian(1) + BigEndian(38), true},
      {vbri(40), false},
      {vbri(39), false},
      {vbri(41), true}};
  for (const auto& [header, problem] : cases) {
    const std::set<Kind> expected = problem ? std::set<Kind>{Kind::kFrameCount} : std::set<Kind>{};
    EXPECT_EQ(KindsOf(Walk(std::string(stream).replace(36, header.size(), header)).problems),
              expected)
        << testing::PrintToString(header);
  }
}

// ID3v2 tags that are whole: the size bytes count the frames (and padding),
// v2.4 adds a footer. A v2.2 frame that holds MPEG frames (a picture, say) is
// part of the tag, not audio.
TEST(ProblemDetailTest, WholeId3v2TagsAreNoProblem) {
  const std::string audio = test::CbrStream(128, 40);
  const std::string inside = test::CbrStream(128, 10);
  const auto size = [](std::uint32_t n) {  // synchsafe
    return std::string{static_cast<char>(n >> 21 & 0x7F), static_cast<char>(n >> 14 & 0x7F),
                       static_cast<char>(n >> 7 & 0x7F), static_cast<char>(n & 0x7F)};
  };
  const auto n = static_cast<std::uint32_t>(inside.size());
  const std::string v22 =
      std::string("ID3\x02\0\0", 6) + size(6 + n) + "PIC" + BigEndian(n).substr(1) + inside;
  const std::string v24 = std::string("ID3\x04\0\x10", 6) + size(20) + std::string(20, '\0') +
                          std::string("3DI\x04\0\x10", 6) + size(20);
  for (const std::string& tag : {v22, v24}) {
    EXPECT_EQ(Walk(tag + audio).problems, std::vector<Problem>{}) << tag.substr(0, 4);
  }
}

std::string LittleEndian(std::uint32_t value) {
  return {static_cast<char>(value), static_cast<char>(value >> 8), static_cast<char>(value >> 16),
          static_cast<char>(value >> 24)};
}

// An APEv2 header or footer: items and footer size, no items, flags.
std::string ApeBlock(std::uint32_t size, std::uint32_t flags) {
  return "APETAGEX" + LittleEndian(2000) + LittleEndian(size) + LittleEndian(0) +
         LittleEndian(flags) + std::string(8, '\0');
}

TEST(AudioEndTest, TagsAtTheEndAreFoundByTheirOwnSizes) {
  const std::string audio = test::CbrStream(128, 4);
  const std::string id3v2 = "ID3" + std::string("\x04\0\x10\0\0\0\x05", 7) + "12345" + "3DI" +
                            std::string("\x04\0\x10\0\0\0\x05", 7);
  const struct {
    const char* name;
    std::string tags;
  } cases[] = {
      {"APEv2 footer only", ApeBlock(32, 0)},
      {"APEv2 with header", ApeBlock(40, 0xA0000000) + "12345678" + ApeBlock(40, 0x80000000)},
      {"appended ID3v2", id3v2},
      {"ID3v1 after APEv2", ApeBlock(32, 0) + test::Id3v1Tag("Song")},
  };
  for (const auto& c : cases) {
    const std::string bytes = audio + c.tags;
    const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    EXPECT_EQ(AudioEnd(span, 0), static_cast<std::int64_t>(audio.size())) << c.name;
    // A tag that starts where the audio starts is taken too.
    EXPECT_EQ(AudioEnd(span.subspan(audio.size()), 0), 0) << c.name;
  }
}

TEST(ProblemListTest, KeepsTheFirstHundredAndCountsTheRest) {
  ProblemList list;
  for (int i = 0; i < 1234; ++i) list.Add(Kind::kJunk, 1000 - i, "gap");
  const std::vector<Problem> problems = list.Take();
  ASSERT_EQ(problems.size(), 101u);
  EXPECT_EQ(problems.front().offset, 901);  // sorted by offset
  EXPECT_EQ(problems.back(), (Problem{Kind::kJunk, 900, "and 1,134 more problems"}));
}

}  // namespace
}  // namespace tarnwick
