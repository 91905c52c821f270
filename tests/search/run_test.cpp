#include "support/run_test.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "search/duplicate_search.h"
#include "search/error_detection.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;

using test::RunTest;

TEST_F(RunTest, FolderChecksRefuseInOrderAndChangeNothing) {
  s.mp3folder = dir.path() + "none-music/";
  s.movefolder = dir.path() + "none-moved/";
  s.unknownfolder = "";
  s.doubleMode = kDoubleMove;
  s.moveunknown = true;
  view.rows = {ResultRow{RowKind::kPair, "kept", {"x"}}};
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(view.messages, Strings{"MP3 folder: directory \"" + s.mp3folder + "\" does not exist"});
  EXPECT_EQ(RunErrorDetection(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(view.rows.size(), 1u);
  EXPECT_TRUE(view.exitCaptions.empty());
  EXPECT_TRUE(s.stopped);

  s.mp3folder = dir.path() + "music/";
  view.messages.clear();
  // The error detection checks the MP3 folder only.
  EXPECT_EQ(RunErrorDetection(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(view.messages,
            Strings{"moved files: directory \"" + s.movefolder + "\" does not exist"});

  s.doubleMode = kDoubleDelete;  // the move folder only matters when moving
  view.messages.clear();
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kRefused);
  EXPECT_EQ(view.messages, Strings{"unknown files: directory \"\" does not exist"});

  s.moveunknown = false;
  view.messages.clear();
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(view.messages.empty());
}

TEST_F(RunTest, FolderListModeDoesNotCheckTheMp3Folder) {
  s.multifolder = true;
  s.mp3folder = dir.path() + "gone/";
  s.folders = {};
  s.close = true;
  EXPECT_EQ(RunDuplicateSearch(fx.run), RunOutcome::kFinished);
  EXPECT_TRUE(view.messages.empty());
  EXPECT_EQ(view.countdownsShown, 1);
  EXPECT_EQ(s.mp3folder, dir.path() + "gone/");
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

}  // namespace
}  // namespace tarnwick
