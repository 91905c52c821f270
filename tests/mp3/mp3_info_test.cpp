#include "mp3/mp3_info.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "mp3/profiler.h"
#include "mp3_info_print.h"
#include "support/message_log.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;

std::string DataFile(const std::string& name) {
  return std::string(TARNWICK_TEST_DATA) + "/mp3/" + name;
}

std::string FailureMessage(const std::string& text) {
  return "Error \"EInOutError\": " + text + "\n\rPlease message me the above information";
}

const TMp3Info kFailedAtOnce{-1, 0, 0, false, 0};

class Mp3InfoTest : public testing::Test {
 protected:
  TMp3Info Read(const std::string& path) { return ReadMp3Info(path, log_.sink()); }

  test::TempDir dir_;
  test::MessageLog log_;
  const std::vector<std::string>& messages_ = log_.texts;
};

// Tiny files from lame and ffmpeg (tests/data/mp3/make.sh). Expected values
// from their frame headers: count, bitrates, and play time as the sum of
// frame bytes / (kbit/s x 125).
TEST_F(Mp3InfoTest, EncoderFilesAreCleanAtEverySampleRate) {
  struct Case {
    const char* name;
    TMp3Info info;
  };
  const Case cases[] = {
      {"cbr128_44100.mp3", {0, 128, 0, false, 14}},       // 0.366 s, 417/418-byte frames
      {"cbr32_48000.mp3", {2, 32, 0, false, 68}},         // 1.632 s, 96-byte frames
      {"cbr32_32000.mp3", {2, 32, 0, false, 46}},         // 1.656 s, 144-byte frames
      {"mpeg2_22050.mp3", {3, 16, 0, false, 98}},         // 2.560 s, 52/53-byte frames
      {"mpeg25_11025.mp3", {4, 8, 0, false, 69}},         // 3.605 s, 52/53-byte frames
      {"layer2_44100.mp3", {2, 32, 0, false, 58}},        // 1.515 s, 104/105-byte frames
      {"mpeg2_layer2_24000.mp3", {3, 16, 0, false, 53}},  // 2.544 s, 96-byte frames
      // Info frame first; 15 bitrate changes in 41 frames; 1776 / 41 = 43.3.
      {"vbr_with_info_frame.mp3", {1, 43, 0, true, 41}},
      // ID3v2 tag in front, ID3v1 tag behind.
      {"id3v2_and_id3v1_tags.mp3", {0, 96, 0, false, 14}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Read(DataFile(c.name)), c.info);
  }
  EXPECT_TRUE(messages_.empty());
}

// A file cut inside its last frame is whole; three bytes of one more header
// make the read of that header run past the end. A file without a sync
// fails at once.
TEST_F(Mp3InfoTest, CutAndSynclessFilesShowTheirFailure) {
  const std::string whole = test::ReadFile(DataFile("cbr128_44100.mp3"));
  EXPECT_EQ(Read(dir_.WriteFile("cut.mp3", whole.substr(0, whole.size() - 200))),
            (TMp3Info{0, 128, 0, false, 14}));
  EXPECT_EQ(Read(dir_.WriteFile("three.mp3", whole + whole.substr(0, 3))),
            (TMp3Info{-1, 119, 0, false, 15}));
  EXPECT_EQ(Read(dir_.WriteFile("song.mp3", test::Id3v2Tag(300) + test::CbrStream(128, 1000))),
            (TMp3Info{26, 128, 0, false, 1000}));
  EXPECT_EQ(Read(dir_.WriteFile("empty.mp3", "")), kFailedAtOnce);
  EXPECT_EQ(Read(dir_.WriteFile("zeros.mp3", std::string(5000, '\0'))), kFailedAtOnce);
  EXPECT_EQ(messages_, (std::vector{FailureMessage("Read beyond end of file"),
                                    FailureMessage("Read beyond end of file"),
                                    FailureMessage("I/O error 131")}));
}

TEST_F(Mp3InfoTest, MissingVanishedAndFolderPathsGiveTheirErrors) {
  EXPECT_EQ(Read(dir_.path() + "no folder/missing.mp3"), kFailedAtOnce);
  const std::string file = dir_.WriteFile("file.mp3", test::CbrStream(128, 10));
  EXPECT_EQ(Read(file + "/inside.mp3"), kFailedAtOnce);
  EXPECT_EQ(Read(file).Frames, 10);
  fs::remove(file);
  EXPECT_EQ(Read(file), kFailedAtOnce);
  EXPECT_EQ(Read(dir_.MakeDir("folder.mp3")), kFailedAtOnce);
  EXPECT_EQ(messages_,
            (std::vector{FailureMessage("Invalid filename"), FailureMessage("Invalid filename"),
                         FailureMessage("File not found"), FailureMessage("I/O error 21")}));
}

// The checks below run in a child process without root's rights, where file
// permissions really refuse. The child reports through its exit status.
bool AnalysesTo(const std::string& path, const TMp3Info& expected,
                const std::vector<std::string>& expected_messages) {
  test::MessageLog log;
  return ReadMp3Info(path, log.sink()) == expected && log.texts == expected_messages;
}

// A read-only file is analysed; an unreadable one fails without a message;
// without a free descriptor the analysis fails and says why.
TEST_F(Mp3InfoTest, PermissionsAndDescriptorLimit) {
  fs::permissions(dir_.path(),
                  fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const std::string read_only = dir_.WriteFile("read-only.mp3", test::CbrStream(128, 1000));
  fs::permissions(read_only, fs::perms::owner_read | fs::perms::others_read);
  const std::string unreadable = dir_.WriteFile("unreadable.mp3", test::CbrStream(128, 10));
  fs::permissions(unreadable, fs::perms::none);
  EXPECT_TRUE(test::RunUnprivileged([&] {
    const rlimit none{0, 0};
    return AnalysesTo(read_only, {26, 128, 0, false, 1000}, {}) &&
           AnalysesTo(unreadable, kFailedAtOnce, {}) && setrlimit(RLIMIT_NOFILE, &none) == 0 &&
           AnalysesTo(read_only, kFailedAtOnce, {FailureMessage("Too many open files")});
  }));
}

TEST_F(Mp3InfoTest, EachAnalysisIsProfiledAsOneSection) {
  const std::regex line("komplett: [0-9]+\\.[0-9]{6} sec\r\n");
  ProfilerStart("left open");
  for (const std::string& path : {DataFile("cbr128_44100.mp3"), dir_.Sub("missing.mp3")}) {
    Read(path);
    EXPECT_TRUE(std::regex_match(ProfilerReport(), line)) << ProfilerReport();
    EXPECT_FALSE(ProfilerActive());
  }
}

}  // namespace
}  // namespace tarnwick
