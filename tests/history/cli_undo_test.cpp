#include <gtest/gtest.h>

#include "history_fixture.h"
#include "support/cli_runner.h"

namespace tarnwick {
namespace {

using test::JsonLines;
using test::RunCli;
using nlohmann::literals::operator""_json;

class CliUndo : public test::HistoryTest {};

// Two runs; the newer one cannot be undone whole because a new file took
// a name. `undo` takes the newest run not yet undone, then the older one.
TEST_F(CliUndo, UndoesTheNewestRunFirstAndHistoryTellsWhatWasUndone) {
  const std::string moved = dir_.MakeDir("music/moved");
  WriteSongs({"a.mp3", "b.mp3", "c.mp3"});
  const std::string older = test::RunLogged(
      music_, [&](test::LoggedRun& run) { run.Move(music_ + "a.mp3", moved + "a.mp3"); });
  const std::string newer = test::RunLogged(music_, [&](test::LoggedRun& run) {
    run.Trash(music_ + "b.mp3");
    run.Move(music_ + "c.mp3", moved + "c.mp3");
  });
  dir_.WriteFile("music/c.mp3", "new");

  auto runs = JsonLines(RunCli({"history", "--json"}).out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]["journal"], newer);
  EXPECT_EQ(runs[0]["done"],
            nlohmann::json({{"move", 1}, {"rename", 0}, {"trash", 1}, {"delete", 0}}));
  EXPECT_EQ(runs[1]["folders"], nlohmann::json::array({music_}));
  EXPECT_EQ(runs[1]["undone"], "no");

  const test::CliResult dry = RunCli({"undo", "--dry-run", "--json"});
  EXPECT_EQ(dry.status, 4);
  const auto steps = JsonLines(dry.out);
  ASSERT_EQ(steps.size(), 2u);
  nlohmann::json refused = R"({"kind":"undo","action":"move","ok":false,"dry_run":true,
      "error":"another file has taken its old name"})"_json;
  refused["from"] = moved + "c.mp3";
  refused["to"] = music_ + "c.mp3";
  EXPECT_EQ(steps[0], refused);
  EXPECT_EQ(steps[1]["action"], "trash");
  EXPECT_TRUE(steps[1]["ok"]);

  const test::CliResult first = RunCli({"undo"});
  EXPECT_EQ(first.status, 4);
  EXPECT_EQ(first.out, "failed to move back: " + moved + "c.mp3 -> " + music_ +
                           "c.mp3: another file has taken its old name\nrestore: " + dir_.path() +
                           "data/Trash/files/b.mp3 -> " + music_ + "b.mp3\n");
  EXPECT_NE(first.err.find("undo " + newer), std::string::npos) << first.err;
  const test::CliResult second = RunCli({"undo"});
  EXPECT_EQ(second.status, 0) << second.err;
  EXPECT_EQ(second.out, "move back: " + moved + "a.mp3 -> " + music_ + "a.mp3\n");
  const test::CliResult third = RunCli({"undo"});
  EXPECT_EQ(third.status, 0);
  EXPECT_EQ(third.out, "");
  EXPECT_NE(third.err.find("nothing to undo"), std::string::npos);

  runs = JsonLines(RunCli({"history", "--json"}).out);
  ASSERT_EQ(runs.size(), 2u);
  EXPECT_EQ(runs[0]["undone"], "partly");
  EXPECT_EQ(runs[1]["undone"], "yes");
  EXPECT_NE(RunCli({"history"}).out.find("partly"), std::string::npos);
}

}  // namespace
}  // namespace tarnwick
