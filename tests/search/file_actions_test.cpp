#include "search/file_actions.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/file_moves.h"
#include "platform/files.h"
#include "platform/text.h"
#include "support/run_test.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::ReadFile;

class FileActionsTest : public test::RunTest {
 protected:
  // The actions run inside a run, which a stop would end.
  void SetUp() override {
    fx.EnterMusicFolder();
    s.stopped = false;
  }
  MoveResult MoveUnique(const std::string& source, const std::string& target) {
    return MoveFileUnique(fx.collection, source, target, test::IdentityOfFile(source));
  }
  void Remove(size_t k) {
    RemoveTrack(fx.run, k, test::IdentityOfFile(fx.run.tracks.trackPaths[k]));
  }

  // Puts files into the music folder and the track list, as ReadFolder would.
  void AddTracks(const Strings& names) {
    for (const std::string& name : names) {
      fx.run.tracks.trackPaths.push_back(dir.WriteFile("music/" + name, name));
      fx.run.tracks.trackKeys.push_back(LowerAscii(name));
    }
  }
};

TEST_F(FileActionsTest, UniqueNamesNumberFromTwoAndNeverReplace) {
  const std::string moved = s.movefolder;
  dir.WriteFile("moved/Song.mp3", "old");
  dir.WriteFile("moved/Song_2.mp3", "old2");
  const std::string source = dir.WriteFile("music/Song.mp3", "new");
  EXPECT_EQ(MoveUnique(source, moved + "Song.mp3").target, moved + "Song_3.mp3");
  EXPECT_EQ(ReadFile(moved + "Song.mp3"), "old");
  EXPECT_EQ(ReadFile(moved + "Song_3.mp3"), "new");

  const std::string numbered = dir.WriteFile("music/Song_2.mp3", "n2");
  const std::string fresh = dir.MakeDir("fresh");
  EXPECT_EQ(MoveUnique(numbered, fresh + "Song_2.mp3").target, fresh + "Song.mp3");

  // The extension keeps its spelling; a failed move reports the target tried.
  const std::string upper = dir.WriteFile("music/Tune_1.MP3", "2");
  dir.WriteFile("moved/Tune.MP3", "1");
  EXPECT_EQ(MoveUnique(upper, moved + "Tune_1.MP3").target, moved + "Tune_2.MP3");
  const MoveResult failed = MoveUnique(dir.path() + "music/gone.mp3", moved + "gone.mp3");
  EXPECT_FALSE(failed.ok());
  EXPECT_EQ(failed.target, moved + "gone.mp3");
}

TEST_F(FileActionsTest, UnknownFilesAreListedMovedAndTakenOut) {
  AddTracks({"Artist - Unknown.mp3", "b - Song.mp3", "UNTITLED - Title.MP3",
             "Unknown Roads - Title.mp3", "x - unnamed.mp3.mp3"});
  s.moveunknown = true;
  HandleUnknownFiles(fx.run);
  const std::string music = s.mp3folder;
  EXPECT_EQ(fx.view.RowTexts(), (Strings{music + "Artist - Unknown.mp3|-|-|-|-|-",
                                         music + "UNTITLED - Title.MP3|-|-|-|-|-",
                                         music + "x - unnamed.mp3.mp3|-|-|-|-|-"}));
  EXPECT_EQ(ListFiles(s.unknownfolder, ".mp3"),
            (Strings{"Artist - Unknown.mp3", "UNTITLED - Title.MP3", "x - unnamed.mp3.mp3"}));
  EXPECT_EQ(fx.run.tracks.trackKeys,
            (Strings{"", "b - song.mp3", "", "unknown roads - title.mp3", ""}));
  EXPECT_EQ(fx.run.tracks.trackPaths[0], "");
}

// A stop reaches the loop after each move: large files are not all copied first.
TEST_F(FileActionsTest, AStopEndsTheUnknownFileMoves) {
  AddTracks({"A - Unknown.mp3", "B - Unknown.mp3", "C - Unknown.mp3"});
  s.moveunknown = true;
  fx.view.onPendingEvents = [this](int) { PressExit(fx.run); };
  HandleUnknownFiles(fx.run);
  EXPECT_EQ(ListFiles(s.unknownfolder, ".mp3"), Strings{"A - Unknown.mp3"});
}

TEST_F(FileActionsTest, UnknownFilesStayWithoutMovingButLeaveTheRun) {
  AddTracks({"Unknown - Title.mp3", "Unnamed - Song.mp3", "b - Song.mp3"});
  HandleUnknownFiles(fx.run);
  EXPECT_TRUE(fx.view.rows.empty());
  EXPECT_TRUE(FileExists(s.mp3folder + "Unknown - Title.mp3"));
  EXPECT_EQ(fx.run.tracks.trackKeys, (Strings{"", "", "b - song.mp3"}));
}

TEST_F(FileActionsTest, RemoveTrackMovesOrDeletesAndAlwaysTakesTheTrackOut) {
  AddTracks({"a.mp3", "b.mp3", "c.mp3"});
  s.doubleMode = kDoubleMove;
  Remove(0);
  EXPECT_EQ(ReadFile(s.movefolder + "a.mp3"), "a.mp3");
  s.doubleMode = kDoubleDelete;
  Remove(1);
  EXPECT_FALSE(FileExists(s.mp3folder + "b.mp3"));
  const FileIdentity c = test::IdentityOfFile(s.mp3folder + "c.mp3");
  DeleteFile(s.mp3folder + "c.mp3");  // gone before its turn: cannot be deleted
  RemoveTrack(fx.run, 2, c);
  EXPECT_EQ(fx.run.tracks.trackKeys, (Strings{"", "", ""}));
  EXPECT_EQ(fx.run.tracks.trackPaths[2], s.mp3folder + "c.mp3");
  ASSERT_EQ(fx.view.actions.size(), 3u);
  EXPECT_TRUE(fx.view.actions[0].ok() && fx.view.actions[1].ok());
  EXPECT_FALSE(fx.view.actions[2].ok());
  EXPECT_EQ(fx.view.actions[1].kind, FileAction::Kind::kDelete);
}

TEST_F(FileActionsTest, FileInAReadOnlyFolderStaysButLeavesTheRun) {
  AddTracks({"a.mp3"});
  s.doubleMode = kDoubleDelete;
  test::GiveToUnprivileged(dir.path());
  chmod(s.mp3folder.c_str(), 0555);
  EXPECT_TRUE(test::RunUnprivileged([this] {
    Remove(0);
    return fx.run.tracks.trackKeys[0].empty() && !fx.view.actions.at(0).ok();
  }));
  EXPECT_TRUE(FileExists(s.mp3folder + "a.mp3"));
}

TEST_F(FileActionsTest, RestoreNamesGivesPlainNamesBackWhereFree) {
  for (const char* name : {"Song_1.mp3", "Taken.mp3", "Taken_2.mp3", "Song_12.mp3", "Upper_1.MP3"})
    dir.WriteFile("music/" + std::string(name), name);
  RestoreNames(fx.run);
  EXPECT_EQ(ListFiles(s.mp3folder, ".mp3"),
            (Strings{"Song.mp3", "Song_12.mp3", "Taken.mp3", "Taken_2.mp3", "Upper_1.MP3"}));
  EXPECT_EQ(ReadFile(s.mp3folder + "Song.mp3"), "Song_1.mp3");
  EXPECT_EQ(fx.view.messages, Strings{"error: Taken.mp3 already exists"});
  ASSERT_EQ(fx.view.actions.size(), 1u);
  EXPECT_EQ(fx.view.actions[0].kind, FileAction::Kind::kRename);
}

}  // namespace
}  // namespace tarnwick
