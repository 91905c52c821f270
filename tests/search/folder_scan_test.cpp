#include "search/folder_scan.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;

class FolderScanTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::RunFixture fx;
  SearchRun& run = fx.run;
  SETTINGS& s = fx.settings;
};

TEST_F(FolderScanTest, ReadFolderTakesMp3FilesWithLoweredKeys) {
  dir.WriteFile("a.mp3", "x");
  dir.WriteFile("B.MP3", "x");
  dir.WriteFile(".Hidden.mp3", "x");
  dir.WriteFile("cover.jpg", "x");
  dir.MakeDir("c.mp3");
  ASSERT_EQ(mkfifo(dir.Sub("pipe.mp3").c_str(), 0644), 0);  // must neither block nor count
  s.mp3folder = dir.path();
  ReadFolder(run);
  EXPECT_EQ(run.tracks.trackPaths,
            (Strings{dir.path() + ".Hidden.mp3", dir.path() + "a.mp3", dir.path() + "B.MP3"}));
  EXPECT_EQ(run.tracks.trackKeys, (Strings{".hidden.mp3", "a.mp3", "b.mp3"}));
}

TEST_F(FolderScanTest, ReadFolderAppendsAndIgnoresMissingFolders) {
  dir.WriteFile("one/a.mp3", "x");
  s.mp3folder = dir.path() + "one/";
  ReadFolder(run);
  s.mp3folder = dir.path() + "missing/";
  ReadFolder(run);
  s.mp3folder = dir.path() + "one/";
  ReadFolder(run);
  EXPECT_EQ(run.tracks.size(), 2u);
}

TEST_F(FolderScanTest, TreeIsDepthFirstPreOrder) {
  const std::string music = dir.MakeDir("Music");
  dir.MakeDir("Music/B");
  dir.MakeDir("Music/A/X");
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music, music + "A/", music + "A/X/", music + "B/"}));
}

TEST_F(FolderScanTest, MoveAndUnknownFoldersAreLeftOutInAnyCase) {
  const std::string music = dir.MakeDir("Music");
  dir.MakeDir("Music/Moved/Deep");
  dir.MakeDir("Music/Unknown");
  dir.MakeDir("Music/Rock");
  s.movefolder = dir.path() + "MUSIC/moved/";
  s.unknownfolder = dir.path() + "Music/Unknown/";
  s.doubleMode = kDoubleShow;  // left out whatever the mode
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music, music + "Rock/"}));
}

TEST_F(FolderScanTest, ExclusionNeedsTheFinalSlash) {
  const std::string music = dir.MakeDir("Music");
  dir.MakeDir("Music/Moved");
  s.movefolder = dir.path() + "Music/Moved";
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music, music + "Moved/"}));
}

TEST_F(FolderScanTest, LinkLoopsAreNotFollowed) {
  const std::string music = dir.MakeDir("Music");
  ASSERT_EQ(symlink(music.c_str(), (music + "again").c_str()), 0);
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music}));
}

TEST_F(FolderScanTest, RunFoldersFollowTheTwoSwitches) {
  const std::string a = dir.MakeDir("a"), b = dir.MakeDir("b");
  dir.MakeDir("a/sub");
  s.folders = {b, a, b};
  s.mp3folder = a;

  s.multifolder = true, s.searchinsubfolder = true;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{b, a, a + "sub/", b}));

  run.runFolders.clear();
  s.searchinsubfolder = false;
  s.movefolder = b;  // no exclusion without the sub-folder search
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{b, a, b}));

  run.runFolders.clear();
  s.multifolder = false, s.searchinsubfolder = true;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{a, a + "sub/"}));

  run.runFolders.clear();
  s.searchinsubfolder = false;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{a}));
}

}  // namespace
}  // namespace tarnwick
