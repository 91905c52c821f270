// Runs the built tarnwick-cli and checks what "key" prints.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/cli_runner.h"

namespace {

using tarnwick::test::CliResult;
using tarnwick::test::JsonLines;
using tarnwick::test::RunCli;

// Names align by terminal cells: a wide character takes two, a combining
// accent none.
TEST(CliKey, PrintsOneLinePerNameInInputOrderAlignedByTerminalCells) {
  const CliResult run = RunCli({"key", "/music/The Night Owls - Blue River.mp3",
                                "Night Owls feat. Somebody - Blue River_1.mp3", "\u6771\u4eac.mp3",
                                "Cafe\u0301.mp3", "01.mp3"});
  EXPECT_EQ(run.status, 0);
  const std::string pad(38, ' ');
  EXPECT_EQ(run.out,
            "/music/The Night Owls - Blue River.mp3        nigtowlsbluriver\n"
            "Night Owls feat. Somebody - Blue River_1.mp3  nigtowlsbluriver\n"
            "\u6771\u4eac.mp3" +
                pad + "\n" + "Cafe\u0301.mp3" + pad + "kafe\n" + "01.mp3" + pad + "  \n");
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
