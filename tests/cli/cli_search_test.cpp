#include <gtest/gtest.h>
#include <sys/stat.h>

#include "history/path_field.h"
#include "platform/files.h"
#include "support/cli_runner.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

using test::CbrStream;
using test::CliResult;
using test::JsonLines;
using test::RunCli;

// Pairs of names that must meet as duplicates however odd their bytes.
const std::vector<std::pair<std::string, std::string>> kHostilePairs = {
    {"K\344fer - Lied.mp3", "K\303\244fer - Lied_1.mp3"},       // Windows-1252 and UTF-8
    {"Caf\303\251 - Ole.mp3", "Cafe\314\201 - Ole.mp3"},        // composed and decomposed é
    {"-rf - Song.mp3", "--rf - song.mp3"},                      // options in disguise
    {"%s%n%d - Fmt.mp3", "%s %n %d - fmt.mp3"},                 // format sequences
    {"Line\nBreak - Tab\tbed.mp3", "line break - tabbed.mp3"},  // control characters
    {std::string(249, 'a') + "__.mp3", std::string(249, 'A') + "_2.mp3"},  // 255-byte names
};

// A home with the shipped language files and no settings file, and a small
// collection: one pair, one unknown file, one damaged file.
class CliSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = dir.MakeDir("home");
    std::filesystem::copy(std::string(TARNWICK_BIN_DIR) + "/language", home + "language");
    music = dir.MakeDir("music");
    dir.WriteFile("music/The Band - Song.mp3", CbrStream(128, 300));
    dir.WriteFile("music/Band - Song_1.mp3", CbrStream(192, 300));
    dir.WriteFile("music/Band - Unknown.mp3", CbrStream(128, 300));
    dir.WriteFile("music/Broken.mp3", CbrStream(128, 150) + test::Garbage(9) + CbrStream(128, 150));
  }

  test::TempDir dir;
  std::string home, music;
};

TEST_F(CliSearchTest, MoveModeReportsEveryActionAsJson) {
  const std::string moved = dir.MakeDir("moved"), unknown = dir.MakeDir("unknown");
  const CliResult run = RunCli({"search", "--json", "--mode", "move", "--move-to", moved,
                                "--unknown-to", unknown, "--check-pairs", "off", music},
                               home);
  ASSERT_EQ(run.status, 0) << run.err;
  std::vector<std::string> kinds, actions;
  for (const auto& line : JsonLines(run.out)) {
    kinds.push_back(line["kind"]);
    if (line["kind"] != "action") continue;
    actions.push_back(line["action"].get<std::string>() + " " + line["to"].get<std::string>());
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"unknown", "action", "separator", "pair", "pair",
                                             "action", "action"}));
  // The weaker copy goes, then the winner gets its plain name back.
  EXPECT_EQ(actions, (std::vector<std::string>{"move " + unknown + "Band - Unknown.mp3",
                                               "move " + moved + "The Band - Song.mp3",
                                               "rename " + music + "Band - Song.mp3"}));
  EXPECT_TRUE(FileExists(moved + "The Band - Song.mp3"));
  EXPECT_TRUE(FileExists(music + "Band - Song.mp3"));
}

TEST_F(CliSearchTest, RefusedRunAndUsageErrors) {
  CliResult run = RunCli({"search", dir.path() + "missing"}, home);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("does not exist"), std::string::npos);
  // Calls that do not fit are refused before anything happens.
  const std::pair<std::vector<std::string>, std::string> misfits[] = {
      {{"search", "--mode", "shred", music}, ""},
      {{"search", "--mode", "move", music}, "--mode move needs a folder for the moved copies"},
      {{}, ""},
  };
  for (const auto& [args, message] : misfits) {
    run = RunCli(args, home);
    EXPECT_EQ(run.status, 2) << message;
    EXPECT_EQ(run.out, "") << message;
    EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
  }
}

// Folders named on the command line run in show mode unless --mode says
// otherwise, whatever the settings file's action; a run of the configured
// folders follows the file and says so (with --verbose, and the tracks of
// each folder).
TEST_F(CliSearchTest, CommandLineFoldersIgnoreTheSettingsFilesAction) {
  const std::string moved = dir.MakeDir("moved");
  const std::string settings = dir.WriteFile(
      "my.ini", "[Settings]\ndouble=2\ntrash=0\nmp3folder=" + music + "\nmovefolder=" + moved);
  CliResult run = RunCli({"search", "--settings", settings, music}, home);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err.find("mode"), std::string::npos);
  // The table lists the pair with the language's titles; show mode moves and
  // deletes nothing, and the numbered file gets its plain name.
  EXPECT_NE(run.out.find("Name"), std::string::npos);
  EXPECT_NE(run.out.find("Band - Song_1.mp3"), std::string::npos);
  EXPECT_NE(run.out.find("192kB/s"), std::string::npos);
  EXPECT_NE(run.out.find("rename: " + music + "Band - Song_1.mp3 -> " + music + "Band - Song.mp3"),
            std::string::npos);
  EXPECT_EQ(ListFiles(music, ".mp3").size(), 4u);
  run = RunCli({"search", "--settings", settings, "--check-pairs", "off", "--dry-run", "--verbose"},
               home);
  EXPECT_NE(run.err.find(music + ": 4 tracks"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("mode delete for good, as the settings file " + settings + " says"),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.out.find("delete: " + music + "The Band - Song.mp3"), std::string::npos);
  EXPECT_EQ(ListFiles(music, ".mp3").size(), 4u) << "a dry run changes nothing";
}

// Delete mode puts the weaker copy into the trash, the history says so, and
// the undo finds it there by the journal.
TEST_F(CliSearchTest, DeleteModeTrashesAndTheUndoBringsItBack) {
  ASSERT_EQ(RunCli({"search", "--mode", "delete", "--check-pairs", "off", music}, home).status, 0);
  EXPECT_TRUE(FileExists(home + ".local/share/Trash/files/The Band - Song.mp3"));
  EXPECT_EQ(JsonLines(RunCli({"history", "--json"}, home).out).at(0)["mode"], "trash");
  const CliResult undo = RunCli({"undo"}, home);
  EXPECT_EQ(undo.status, 0) << undo.out << undo.err;
  EXPECT_TRUE(FileExists(music + "The Band - Song.mp3"));
}

// A failed action or a folder that cannot be searched shows in the status.
TEST_F(CliSearchTest, FailuresEndWithANonZeroStatus) {
  CliResult run = RunCli({"search", music, dir.path() + "missing"}, home);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find(dir.path() + "missing/: cannot be searched: No such file or directory"),
            std::string::npos)
      << run.err;
  const std::string locked = dir.MakeDir("locked");
  test::GiveToUnprivileged(dir.path());
  chmod(locked.c_str(), 0555);
  EXPECT_TRUE(test::RunUnprivileged([&] {
    const CliResult failed = RunCli(
        {"search", "--mode", "move", "--move-to", locked, "--check-pairs", "off", music}, home);
    return failed.status == 4 &&
           failed.out.find("failed to move: " + music + "The Band - Song.mp3 -> " + locked +
                           "The Band - Song.mp3: Permission denied") != std::string::npos;
  }));
}

TEST_F(CliSearchTest, ErrorsListsDamagedFilesWithItsOwnStatus) {
  CliResult run = RunCli({"errors", "--json", music}, home);
  EXPECT_EQ(run.status, 3) << run.err;
  const auto lines = JsonLines(run.out);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0]["kind"], "error");
  EXPECT_EQ(lines[0]["caption"], "Broken.mp3");
  EXPECT_EQ(lines[0]["items"][3], "128 KB/s");

  std::filesystem::remove(music + "Broken.mp3");
  EXPECT_EQ(RunCli({"errors", music}, home).status, 0);
}

// The table keeps one line per row, whatever the names hold; moved, every
// name printed as JSON is the name on disk, and nothing is lost.
TEST_F(CliSearchTest, HostileNamesKeepTableLinesAndJsonNamesExact) {
  const std::string odd = dir.MakeDir("%s%n%d music"), moved = dir.MakeDir("moved %s");
  for (const auto& [first, second] : kHostilePairs) {
    test::WriteFileAt(odd + first, CbrStream(96, 50));
    test::WriteFileAt(odd + second, CbrStream(128, 50));
  }
  CliResult run = RunCli({"search", "--", odd}, home);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("Line\\nBreak - Tab\\tbed.mp3"), std::string::npos);
  EXPECT_NE(run.out.find("K\303\244fer - Lied.mp3"), std::string::npos);  // shown as UTF-8
  EXPECT_NE(run.out.find("%s%n%d - Fmt.mp3"), std::string::npos);

  run = RunCli(
      {"search", "--json", "--mode", "move", "--move-to", moved, "--check-pairs", "off", "--", odd},
      home);
  ASSERT_EQ(run.status, 0) << run.err;
  size_t pairs = 0, moves = 0;
  for (const auto& line : JsonLines(run.out)) {
    pairs += line["kind"] == "separator";
    if (line["kind"] != "action" || line["action"] != "move" || line["ok"] != true) continue;
    ++moves;
    EXPECT_TRUE(FileExists(GetPath(line, "to").value_or(""))) << line.dump();
  }
  EXPECT_EQ(pairs, kHostilePairs.size());
  EXPECT_EQ(moves, kHostilePairs.size());
  EXPECT_EQ(ListFiles(odd, ".mp3").size(), kHostilePairs.size());
  EXPECT_EQ(ListFiles(moved, ".mp3").size(), kHostilePairs.size());
}

}  // namespace
}  // namespace tarnwick
