#include "support/run_test.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;

using test::RunTest;

// The MP3 folder is checked first, then the move folder when moving, then
// the unknown folder when unknown files move; a folder list needs no MP3
// folder. A refused run changes nothing.
TEST_F(RunTest, FolderChecksRefuseInOrderAndChangeNothing) {
  const std::string missing = dir.path() + "none-music/", music = s.mp3folder;
  s.mp3folder = missing;
  s.movefolder = dir.path() + "none-moved/";
  s.unknownfolder = "";
  s.doubleMode = kDoubleMove;
  s.moveunknown = true;
  view.rows = {ResultRow{RowKind::kPair, "kept", {"x"}}};
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(RunErrorDetection(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(view.rows.size(), 1u);
  EXPECT_TRUE(s.stopped);

  s.mp3folder = music;
  EXPECT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished) << "it checks the MP3 folder only";
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  s.doubleMode = kDoubleDelete;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  s.moveunknown = false;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  s.multifolder = true;
  s.mp3folder = missing;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  const std::string mp3_missing = "MP3 folder: directory \"" + missing + "\" does not exist";
  EXPECT_EQ(view.messages,
            (Strings{mp3_missing, mp3_missing,
                     "moved files: directory \"" + s.movefolder + "\" does not exist",
                     "unknown files: directory \"\" does not exist"}));
}

TEST_F(RunTest, AFolderWithOneFileIsLeftAlone) {
  dir.WriteFile("music/Artist - Unknown.mp3", "x");
  dir.WriteFile("music/Song_1.mp3", "x");
  dir.WriteFile("music/sub/Song_1.mp3", "x");
  s.moveunknown = true;
  s.searchinsubfolder = true;
  dir.WriteFile("music/sub/other.txt", "x");
  // The root holds two files, the sub-folder one: only the root is processed.
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(FileExists(dir.path() + "music/sub/Song_1.mp3"));
  EXPECT_TRUE(FileExists(dir.path() + "music/Song.mp3"));
  EXPECT_TRUE(FileExists(dir.path() + "unknown/Artist - Unknown.mp3"));
  EXPECT_EQ(view.countdownsShown, 0) << "the window stays unless asked to close";
}

// A click at the first test point ends the whole folder list at once: no
// rows, the numbered name stays and no countdown closes the window. A run
// that ends by itself gives the plain name back and counts down.
TEST_F(RunTest, StopEndsTheFolderListWhereAFinishedRunRestoresNames) {
  for (const char* name : {"music/1 Song.mp3", "music/2 Song.mp3", "music/Other_1.mp3",
                           "second/1 Song.mp3", "second/2 Song.mp3"}) {
    dir.WriteFile(name, test::CbrStream(128, 100));
  }
  const std::string configured = s.mp3folder;
  s.close = s.multifolder = true;
  s.folders = {configured, dir.path() + "second/"};
  view.onPendingEvents = [this](int call) {
    if (call == 1) PressExit(fx.run);
  };
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kAborted);
  EXPECT_TRUE(view.rows.empty());
  EXPECT_TRUE(FileExists(configured + "Other_1.mp3"));
  EXPECT_EQ(view.countdownsShown, 0);
  EXPECT_EQ(s.mp3folder, configured);
  EXPECT_EQ(view.exitCaptions, (Strings{"Cancel", "Exit"}));
  EXPECT_EQ(PressExit(fx.run), ExitDecision::kCloseWindow);

  view.onPendingEvents = nullptr;
  view.exitCaptions.clear();
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_EQ(view.rows.size(), 6u) << "a separator and two rows for each folder's pair";
  EXPECT_TRUE(view.runButtonsEnabled && s.stopped);
  EXPECT_EQ(view.exitCaptions, (Strings{"Cancel", "Exit"}));
  EXPECT_EQ(PressExit(fx.run), ExitDecision::kCloseWindow);
  EXPECT_TRUE(FileExists(configured + "Other.mp3"));
  EXPECT_EQ(view.countdownsShown, 1);
}

}  // namespace
}  // namespace tarnwick
