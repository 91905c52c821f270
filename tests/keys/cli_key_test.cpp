// Runs the built tarnwick-cli and checks what "key" prints.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace {

using tarnwick::test::CliResult;
using tarnwick::test::JsonLines;
using tarnwick::test::RunCli;

TEST(CliKey, PrintsOneAlignedLinePerNameInInputOrder) {
  const CliResult run = RunCli({"key", "/music/The Night Owls - Blue River.mp3",
                                "Night Owls feat. Somebody - Blue River_1.mp3", "01.mp3"});
  EXPECT_EQ(run.status, 0);
  const std::string expected =
      "/music/The Night Owls - Blue River.mp3        nigtowlsbluriver\n"
      "Night Owls feat. Somebody - Blue River_1.mp3  nigtowlsbluriver\n"
      "01.mp3" +
      std::string(40, ' ') + "\n";
  EXPECT_EQ(run.out, expected);
}

// Wide characters take two terminal cells, a combining accent none.
TEST(CliKey, AlignsWideAndCombiningCharactersByTerminalCells) {
  const CliResult run = RunCli({"key", "\u6771\u4eac.mp3", "Cafe\u0301.mp3", "abcdefgh.mp3"});
  EXPECT_EQ(run.out,
            "\u6771\u4eac.mp3      \n"
            "Cafe\u0301.mp3      kafe\n"
            "abcdefgh.mp3  abkdefgh\n");
}

// Only the part after the last slash is keyed; Windows-1252 names show as UTF-8.
TEST(CliKey, JsonKeysTheNameAfterTheLastSlash) {
  const CliResult run =
      RunCli({"key", "--json", "/tmp/The Band/Song.mp3", "Liebe/", "Caf\xE9 - Ol\xE9.mp3"});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(JsonLines(run.out),
            (std::vector<nlohmann::json>{{{"name", "/tmp/The Band/Song.mp3"}, {"key", "song"}},
                                         {{"name", "Liebe/"}, {"key", ""}},
                                         {{"name", "Café - Olé.mp3"}, {"key", "kafeole"}}}));
}

}  // namespace
