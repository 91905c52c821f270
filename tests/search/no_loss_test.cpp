// What another program (or another run) does between a run's look and its
// action never costs a file: each case below once did.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "platform/file_errors.h"
#include "platform/files.h"
#include "platform/folder_access.h"
#include "search/duplicate_search.h"
#include "support/mp3_stream.h"
#include "support/run_test.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;
using test::CbrStream;

class NoLossTest : public test::RunTest {
 protected:
  void SetUp() override { s.doubleMode = kDoubleDelete; }
  Strings Music() const { return ListFiles(s.mp3folder, ".mp3"); }
  // Two copies of a song; the rules keep "Song.mp3", the higher bitrate.
  void WritePair(const std::string& folder = "music/") {
    dir.WriteFile(folder + "Song.mp3", CbrStream(320, 100));
    dir.WriteFile(folder + "The Song.mp3", CbrStream(128, 100));
  }
};

// Another program edits the weaker copy after the run analysed it.
TEST_F(NoLossTest, FileChangedAfterItsAnalysisIsLeftAlone) {
  dir.WriteFile("music/Song.mp3", CbrStream(320, 100));
  const std::string weaker = dir.WriteFile("music/The Song.mp3", CbrStream(128, 100));
  fx.view.onPendingEvents = [&](int call) {
    if (call == 3) test::WriteFileAt(weaker, CbrStream(128, 100) + "tag edited");
  };
  RunDuplicateSearch(fx.run);
  ASSERT_EQ(fx.view.actions.size(), 1u);
  EXPECT_EQ(fx.view.actions[0].error, FileError::kChanged);
  EXPECT_EQ(fx.view.actions[0].error.message(), "changed since it was analysed");
  EXPECT_EQ(Music(), (Strings{"Song.mp3", "The Song.mp3"}));
}

// Two names of one file are no pair: deleting one would lose the only copy.
TEST_F(NoLossTest, LinkedNamesOfOneFileAreHeldAsTheSameFile) {
  dir.WriteFile("music/Song.mp3", CbrStream(128, 100));
  ASSERT_EQ(symlink("Song.mp3", (s.mp3folder + "The Song.mp3").c_str()), 0);
  ASSERT_EQ(link((s.mp3folder + "Song.mp3").c_str(), (s.mp3folder + "SONG.MP3").c_str()), 0);
  RunDuplicateSearch(fx.run);
  ASSERT_EQ(fx.view.held.size(), 3u);
  for (const HeldPair& held : fx.view.held) EXPECT_EQ(held.reason, HeldPair::Reason::kSameFile);
  EXPECT_TRUE(fx.view.actions.empty());
  EXPECT_EQ(Music().size(), 3u);
}

// A sub-folder swapped for a link while the run works elsewhere is refused,
// never followed out of the tree.
TEST_F(NoLossTest, FolderSwappedForALinkIsNotFollowed) {
  const std::string outside = dir.MakeDir("outside");
  WritePair("outside/");
  dir.WriteFile("music/sub/a.mp3", CbrStream(128, 10));
  dir.WriteFile("music/a.mp3", CbrStream(128, 10));
  dir.WriteFile("music/b.mp3", CbrStream(128, 10));
  s.searchinsubfolder = true;
  bool swapped = false;
  fx.view.onPendingEvents = [&](int) {
    if (swapped || fx.run.runFolders.size() < 2 || s.mp3folder != fx.run.runFolders[0]) return;
    std::filesystem::rename(s.mp3folderSaved + "sub", dir.path() + "sub.old");
    ASSERT_EQ(symlink(outside.c_str(), (s.mp3folderSaved + "sub").c_str()), 0);
    swapped = true;
  };
  RunDuplicateSearch(fx.run);
  EXPECT_TRUE(swapped);
  EXPECT_EQ(ListFiles(outside, ".mp3"), (Strings{"Song.mp3", "The Song.mp3"}));
  EXPECT_TRUE(fx.view.actions.empty());
}

TEST_F(NoLossTest, FolderLockedByAnotherRunIsSkippedWithAMessage) {
  WritePair();
  const OpenedFolder other_run = OpenFolder(s.mp3folder);
  ASSERT_EQ(flock(other_run.fd.get(), LOCK_EX), 0);
  RunDuplicateSearch(fx.run);
  EXPECT_EQ(fx.view.messages, Strings{"folder \"" + s.mp3folder +
                                      "\" is in use by another Tarnwick run and was skipped"});
  EXPECT_EQ(Music().size(), 2u);
}

// A move folder that is also searched would feed the run its own output.
TEST_F(NoLossTest, MoveOrUnknownFolderThatIsSearchedRefusesTheRun) {
  WritePair();
  s.doubleMode = kDoubleMove;
  s.movefolder = dir.path() + "./music//";
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(fx.view.messages, Strings{"\"" + s.movefolder +
                                      "\" receives moved or unknown files and cannot be a folder "
                                      "that is searched"});
  EXPECT_EQ(Music().size(), 2u);
  // An unknown folder only counts when unknown files are moved.
  s.doubleMode = kDoubleShow;
  s.unknownfolder = s.mp3folder;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  s.moveunknown = true;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
}

// The temporary file of a copy that a killed run left in the move folder.
TEST_F(NoLossTest, LeftoverCopiesOfKilledRunsAreCleanedByTheNextMove) {
  WritePair();
  const pid_t gone = fork();
  if (gone == 0) _exit(0);
  waitpid(gone, nullptr, 0);
  dir.WriteFile("moved/.tarnwick-move-" + std::to_string(gone) + "-123", "half a copy");
  dir.WriteFile("moved/.tarnwick-move-" + std::to_string(getpid()) + "-456", "ours, running");
  s.doubleMode = kDoubleMove;
  RunDuplicateSearch(fx.run);
  EXPECT_EQ(ListFiles(s.movefolder, ""),
            (Strings{".tarnwick-move-" + std::to_string(getpid()) + "-456", "The Song.mp3"}));
}

}  // namespace
}  // namespace tarnwick
