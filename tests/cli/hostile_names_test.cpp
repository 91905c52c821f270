#include <gtest/gtest.h>

#include <filesystem>

#include "history/path_field.h"
#include "platform/files.h"
#include "support/cli_runner.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using test::CbrStream;

// Pairs of names that must meet as duplicates however odd their bytes.
const std::vector<std::pair<std::string, std::string>> kHostilePairs = {
    {"K\344fer - Lied.mp3", "K\303\244fer - Lied_1.mp3"},       // Windows-1252 and UTF-8
    {"Caf\303\251 - Ole.mp3", "Cafe\314\201 - Ole.mp3"},        // composed and decomposed é
    {"-rf - Song.mp3", "--rf - song.mp3"},                      // options in disguise
    {"%s%n%d - Fmt.mp3", "%s %n %d - fmt.mp3"},                 // format sequences
    {"Line\nBreak - Tab\tbed.mp3", "line break - tabbed.mp3"},  // control characters
    {std::string(249, 'a') + "__.mp3", std::string(249, 'A') + "_2.mp3"},  // 255-byte names
};

class HostileNamesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = dir.MakeDir("home");
    std::filesystem::copy(std::string(TARNWICK_BIN_DIR) + "/language", home + "language");
    music = dir.MakeDir("%s%n%d music");
    moved = dir.MakeDir("moved %s");
    int bitrate = 96;
    for (const auto& [first, second] : kHostilePairs) {
      test::WriteFileAt(music + first, CbrStream(bitrate, 50));
      test::WriteFileAt(music + second, CbrStream(bitrate + 32, 50));
    }
  }

  test::TempDir dir;
  std::string home, music, moved;
};

// The table keeps one line per row, whatever the names hold; moved, every
// name printed as JSON is the name on disk, and nothing is lost.
TEST_F(HostileNamesTest, TableLinesAndJsonNamesStayExact) {
  test::CliResult run = test::RunCli({"search", "--", music}, home);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Line\\nBreak - Tab\\tbed.mp3"), std::string::npos);
  EXPECT_NE(run.out.find("K\303\244fer - Lied.mp3"), std::string::npos);  // shown as UTF-8
  EXPECT_NE(run.out.find("%s%n%d - Fmt.mp3"), std::string::npos);

  run = test::RunCli({"search", "--json", "--mode", "move", "--move-to", moved, "--check-pairs",
                      "off", "--", music},
                     home);
  ASSERT_EQ(run.status, 0) << run.err;
  size_t pairs = 0, moves = 0;
  for (const auto& line : test::JsonLines(run.out)) {
    pairs += line["kind"] == "separator";
    if (line["kind"] != "action" || line["action"] != "move" || line["ok"] != true) continue;
    ++moves;
    EXPECT_TRUE(FileExists(GetPath(line, "to").value_or(""))) << line.dump();
  }
  EXPECT_EQ(pairs, kHostilePairs.size());
  EXPECT_EQ(moves, kHostilePairs.size());
  EXPECT_EQ(ListFiles(music, ".mp3").size(), kHostilePairs.size());
  EXPECT_EQ(ListFiles(moved, ".mp3").size(), kHostilePairs.size());
}

}  // namespace
}  // namespace tarnwick
