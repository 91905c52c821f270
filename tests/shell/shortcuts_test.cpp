// Desktop entries written into the desktop and autostart folders of a
// temporary home.

#include "shell/shortcuts.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/files.h"
#include "shell/desktop_entry.h"
#include "support/temp_dir.h"
#include "support/user_home.h"

namespace tarnwick {
namespace {

// HOME without a final slash, as a login sets it.
class CreateLinkTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
  const std::string home_ = dir_.MakeDir("home");
  const test::TempUserHome user_{home_.substr(0, home_.size() - 1)};
};

// The desktop folder is the one user-dirs.dirs names, with $HOME standing for
// the home folder, else Desktop in the home; it must exist.
TEST_F(CreateLinkTest, DesktopFolderFromUserDirsOrHome) {
  const auto link = [] { return CreateLink("/opt/tw/tarnwick", llDesktop, "", "", "", ""); };
  EXPECT_EQ(link(), "");
  dir_.MakeDir("home/Desktop");
  EXPECT_TRUE(FileExists(link()));
  dir_.MakeDir("home/Schreibtisch");
  dir_.WriteFile("home/.config/user-dirs.dirs",
                 "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  EXPECT_EQ(link(), home_ + "Schreibtisch/tarnwick.desktop");
  EXPECT_EQ(CreateLink("/opt/tw/tarnwick", llQuickLaunch, "", "", "", ""), "");
  // A write that fails at the end (a folder has the entry's name) leaves no
  // temporary file behind.
  dir_.WriteFile("other/tarnwick.desktop/inside", "x");
  EXPECT_EQ(CreateLink("/opt/tw/tarnwick", llOtherFolder, dir_.path() + "other", "", "", ""), "");
  EXPECT_TRUE(ListFiles(dir_.path() + "other/", "").empty());
}

// The autostart folder is made when missing. The Exec key quotes the
// program and escapes what it reserves; the entry is executable.
TEST_F(CreateLinkTest, AutostartEntryQuotesTheProgram) {
  const std::string path =
      CreateLink("/opt/Tarn Wick/$bin/tarn%wick.sh", llStartup, "", "", "", "Finds songs");
  EXPECT_EQ(path, home_ + ".config/autostart/tarn%wick.desktop");
  const std::string entry = test::ReadFile(path);
  EXPECT_NE(entry.find("\nExec=\"/opt/Tarn Wick/\\\\$bin/tarn%%wick.sh\"\n"), std::string::npos);
  EXPECT_NE(entry.find("\nName=tarn%wick\n"), std::string::npos);
  EXPECT_NE(entry.find("\nComment=Finds songs\n"), std::string::npos);
  EXPECT_NE(entry.find("\nPath=/opt/Tarn Wick/$bin/\n"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(stat(path.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0755u);
  EXPECT_EQ(NameStem("/opt/.tarnwick"), ".tarnwick");
}

}  // namespace
}  // namespace tarnwick
