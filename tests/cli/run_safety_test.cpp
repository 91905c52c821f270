// The command-line program under stress: two runs over one folder at once,
// and runs stopped by a signal at a random moment. Every file's bytes must
// survive exactly once, where the printed actions say, and an undo must
// bring the collection back byte for byte.

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>

#include "history/path_field.h"
#include "support/cli_runner.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

namespace fs = std::filesystem;
using test::ContentsBelow;
using test::FilesBelow;

// A folder on another file system than the music, where one exists, so that
// moves are copies that a signal can cut in the middle.
std::string OtherFileSystemFolder(const test::TempDir& fallback) {
  std::string folder = "/dev/shm/tarnwick-moved-XXXXXX";
  if (mkdtemp(folder.data()) != nullptr) return folder + "/";
  return fallback.MakeDir("moved");
}

class RunSafetyTest : public ::testing::Test {
 protected:
  void SetUp() override {
    home = dir.MakeDir("home");
    fs::copy(std::string(TARNWICK_BIN_DIR) + "/language", home + "language");
    music = dir.MakeDir("music");
  }
  void TearDown() override {
    if (moved.starts_with("/dev/shm/")) fs::remove_all(moved);
  }

  // `songs` songs in sub-folders, most of them in three copies under names
  // that pair, each copy with bytes of its own.
  void WriteCollection(int songs, std::mt19937& random) {
    const char* forms[] = {"Artist - Song %s.mp3", "The Artist - Song %s_1.mp3",
                           "ARTIST feat. X - SONG %s.mp3"};
    for (int song = 0; song < songs; ++song) {
      const std::string sub = "cd" + std::to_string(song % 4) + "/";
      // Digits vanish from title keys: each song is named by two letters
      // that no title rule changes.
      const std::string_view letters = "bdfgjlmnprsvwxz";
      const std::string title = {letters[song / 15 % 15], letters[song % 15]};
      for (int copy = 0; copy < 3; ++copy) {
        char name[64];
        std::snprintf(name, sizeof name, forms[copy], title.c_str());
        const int bitrates[] = {96, 128, 192, 320};
        dir.WriteFile("music/" + sub + name,
                      test::CbrStream(bitrates[random() % 4], 30) + test::Id3v1Tag(name));
      }
    }
  }

  std::vector<std::string> MoveRun() const {
    return {"search", "--json",        "--recursive", "--mode", "move", "--move-to",
            moved,    "--check-pairs", "off",         "--wait", music};
  }

  test::TempDir dir;
  std::string home, music, moved;
};

// Each run locks the folder it changes, so the second waits and then sees
// the first one's result instead of acting on what it analysed before.
TEST_F(RunSafetyTest, TwoRunsAtOnceLoseNothing) {
  std::mt19937 random(11);
  for (int trial = 0; trial < 3; ++trial) {
    fs::remove_all(music);
    fs::create_directories(music);
    moved = dir.MakeDir("moved" + std::to_string(trial));
    WriteCollection(60, random);
    const std::vector<std::string> before = ContentsBelow({music, moved});
    std::vector<pid_t> runs;
    for (int i = 0; i < 2; ++i) {
      const pid_t child = fork();
      if (child == 0) _exit(test::RunCli(MoveRun(), home).status);
      runs.push_back(child);
    }
    for (const pid_t run : runs) {
      int status = 0;
      waitpid(run, &status, 0);
      EXPECT_EQ(WEXITSTATUS(status), 0) << "trial " << trial;
    }
    EXPECT_EQ(ContentsBelow({music, moved}), before) << "trial " << trial;
    EXPECT_EQ(FilesBelow(moved).size(), 2u * 60) << "two of three copies moved";
  }
}

// A stop signal lets the run end at its next test point; a kill ends it at
// once. Either way every file is where the printed actions say, and the
// undo brings back the tree as it was, byte for byte.
TEST_F(RunSafetyTest, SignalAtARandomMomentThenUndo) {
  std::mt19937 random(5);
  WriteCollection(100, random);
  const auto original = FilesBelow(music);
  const std::string out = dir.path() + "out", err = dir.path() + "err";
  for (int trial = 0; trial < 9; ++trial) {
    SCOPED_TRACE("trial " + std::to_string(trial));
    moved = OtherFileSystemFolder(dir);
    const int signal = std::vector{SIGINT, SIGTERM, SIGKILL}[trial % 3];
    // A signal may come before the program opens its output: no output of
    // an earlier trial must be read as this one's.
    test::WriteFileAt(out, "");
    const pid_t run = test::StartCli(MoveRun(), home, out, err);
    usleep(static_cast<useconds_t>(random() % 150000));
    kill(run, signal);
    int status = 0;
    waitpid(run, &status, 0);
    if (signal != SIGKILL) {
      // Ended by the signal, or finished before it came.
      const int code = WEXITSTATUS(status);
      EXPECT_TRUE(code == 128 + signal || code == 0) << code << test::ReadFile(err);
      EXPECT_EQ(ContentsBelow({music, moved}).size(), original.size());
      for (const auto& line : test::JsonLines(test::ReadFile(out))) {
        if (line["kind"] == "action" && line["ok"] == true) {
          EXPECT_TRUE(fs::exists(GetPath(line, "to").value_or(""))) << line.dump();
        }
      }
    }
    const test::CliResult undo = test::RunCli({"undo"}, home);
    EXPECT_EQ(undo.status, 0) << undo.out << undo.err;
    EXPECT_EQ(FilesBelow(music), original);
    fs::remove_all(moved);
  }
}

}  // namespace
}  // namespace tarnwick
