#include "search/folder_scan.h"

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/recording_view.h"
#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick {
namespace {

using Strings = std::vector<std::string>;

class FolderScanTest : public ::testing::Test {
 protected:
  // Walks run inside a run, which a stop would end.
  void SetUp() override { s.stopped = false; }
  void Read(const std::string& folder) {
    s.mp3folder = folder;
    fx.run.collection = &fx.collection;
    fx.collection.EnterFolder(folder, folder);
    ReadFolder(run);
  }

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
  Read(dir.path());
  EXPECT_EQ(run.tracks.trackPaths,
            (Strings{dir.path() + ".Hidden.mp3", dir.path() + "a.mp3", dir.path() + "B.MP3"}));
  EXPECT_EQ(run.tracks.trackKeys, (Strings{".hidden.mp3", "a.mp3", "b.mp3"}));
  Read(dir.path() + "missing/");
  Read(dir.path());
  EXPECT_EQ(run.tracks.size(), 6u) << "each read appends; a missing folder adds nothing";
}

// Depth first, in pre-order, never through a link back into the tree.
TEST_F(FolderScanTest, TreeIsDepthFirstPreOrder) {
  const std::string music = dir.MakeDir("Music");
  dir.MakeDir("Music/B");
  dir.MakeDir("Music/A/X");
  ASSERT_EQ(symlink(music.c_str(), (music + "again").c_str()), 0);
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music, music + "A/", music + "A/X/", music + "B/"}));
  run.runFolders.clear();
  fx.view.onPendingEvents = [this](int) { s.stopped = true; };
  AddFolderTree(run, music);
  EXPECT_EQ(run.runFolders, (Strings{music})) << "a stop ends the walk";
}

// The move, unknown, trash and state folders are left out, recognised as
// themselves whatever path names them; names differing only in case are
// other folders on Linux.
TEST_F(FolderScanTest, MoveUnknownTrashAndStateFoldersAreLeftOut) {
  const test::TempUserHome user;
  const std::string& home = user.path();
  for (const char* sub : {".local/share/Trash/files", ".local/state/tarnwick/journal",
                          "Music/Moved/Deep", "Music/Unknown", "Music/unknown", "Music/Rock"})
    user.dir().MakeDir(sub);
  ASSERT_EQ(symlink((home + "Music/Moved").c_str(), (home + "link-to-moved").c_str()), 0);
  s.movefolder = home + "link-to-moved";
  s.unknownfolder = home + "./Music//Rock/../Unknown/";
  s.doubleMode = kDoubleShow;  // left out whatever the mode
  AddFolderTree(run, home);
  EXPECT_EQ(run.runFolders,
            (Strings{home, home + ".local/", home + ".local/share/", home + ".local/state/",
                     home + "Music/", home + "Music/Rock/", home + "Music/unknown/"}));
}

// A trash folder at the top of a mounted file system in the tree is left out.
TEST_F(FolderScanTest, MountTrashIsLeftOut) {
  const std::string music = dir.MakeDir("Music");
  const std::string disk = dir.MakeDir("Music/disk");
  if (mount("tarnwick-test", disk.c_str(), "tmpfs", 0, "size=1m") != 0) {
    GTEST_SKIP() << "cannot mount a tmpfs here";
  }
  dir.MakeDir("Music/disk/.Trash-" + std::to_string(geteuid()) + "/files");
  dir.MakeDir("Music/disk/.Trashy");
  AddFolderTree(run, music);
  umount2(disk.c_str(), MNT_DETACH);
  EXPECT_EQ(run.runFolders, (Strings{music, disk, disk + ".Trashy/"}));
}

TEST_F(FolderScanTest, RunFoldersFollowTheTwoSwitches) {
  const std::string a = dir.MakeDir("a"), b = dir.MakeDir("b");
  dir.MakeDir("a/sub");
  s.folders = {b, a, b};
  s.mp3folder = a;

  s.multifolder = true, s.searchinsubfolder = true;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{b, a, a + "sub/", b}));
  EXPECT_EQ(run.runFolderRoots, (Strings{b, a, a, b}));

  s.searchinsubfolder = false;
  s.movefolder = b;  // no exclusion without the sub-folder search
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{b, a, b}));

  s.multifolder = false, s.searchinsubfolder = true;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{a, a + "sub/"}));

  s.searchinsubfolder = false;
  BuildRunFolders(run);
  EXPECT_EQ(run.runFolders, (Strings{a}));
}

}  // namespace
}  // namespace tarnwick
