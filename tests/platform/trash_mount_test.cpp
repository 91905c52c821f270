#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "platform/files.h"
#include "platform/trash.h"
#include "support/temp_dir.h"
#include "trash_checks.h"

namespace tarnwick {
namespace {

using test::ReadFile;

const std::string kUid = std::to_string(geteuid());

// A small tmpfs inside the temporary folder: another file system than the
// home folder's, so its files go to the trash at its top.
class MountTrash : public test::TrashTest {
 protected:
  void SetUp() override {
    TrashTest::SetUp();
    if (mount("tarnwick-test", top_.c_str(), "tmpfs", 0, "size=4m") != 0) {
      GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno) << ")";
    }
    mounted_ = true;
  }
  void TearDown() override {
    if (mounted_) umount2(top_.c_str(), MNT_DETACH);
    TrashTest::TearDown();
  }

  const std::string top_ = dir_.MakeDir("mnt");
  bool mounted_ = false;
};

TEST_F(MountTrash, SharedTrashFolderIsUsedOnlyWhenRealAndSticky) {
  const struct {
    mode_t shared_mode;  // 0: no .Trash
    bool as_link;
    std::string trash;
  } cases[] = {{0, false, ".Trash-" + kUid},
               {01777, false, ".Trash/" + kUid},
               {0777, false, ".Trash-" + kUid},
               {01777, true, ".Trash-" + kUid}};
  for (const auto& c : cases) {
    for (const char* old : {".Trash", "shared"}) std::filesystem::remove_all(top_ + old);
    std::filesystem::remove_all(top_ + ".Trash-" + kUid);
    if (c.shared_mode != 0) chmod(dir_.MakeDir("mnt/shared").c_str(), c.shared_mode);
    if (c.shared_mode != 0 && c.as_link) symlink("shared", (top_ + ".Trash").c_str());
    if (c.shared_mode != 0 && !c.as_link)
      rename((top_ + "shared").c_str(), (top_ + ".Trash").c_str());

    const std::string file = dir_.WriteFile("mnt/sub/Song 1.mp3", "SONG");
    const time_t before = time(nullptr);
    const TrashResult predicted = PredictTrashEntry(file);
    const TrashResult result = MoveToTrash(file);
    ASSERT_FALSE(result.error) << result.error.message();
    EXPECT_EQ(result.entry.file, top_ + c.trash + "/files/Song 1.mp3");
    EXPECT_EQ(predicted.entry.file, result.entry.file);
    EXPECT_EQ(ReadFile(result.entry.file), "SONG");
    test::ExpectInfo(result.entry.info, top_ + "sub/Song%201.mp3", before);
    EXPECT_EQ(test::ModeOf(top_ + c.trash), 0700u);
  }
}

TEST_F(MountTrash, UnsafeUserTrashIsRefusedAndTheFileStays) {
  const std::string user_trash = top_ + ".Trash-" + kUid;
  const std::string file = dir_.WriteFile("mnt/Song.mp3", "SONG");
  ASSERT_EQ(symlink(dir_.MakeDir("elsewhere").c_str(), user_trash.c_str()), 0);
  EXPECT_EQ(MoveToTrash(file).error, FileError::kUnsafeTrashFolder);
  EXPECT_FALSE(IsDirectory(dir_.path() + "elsewhere/files"));

  unlink(user_trash.c_str());
  ASSERT_EQ(mkdir(user_trash.c_str(), 0700), 0);
  ASSERT_EQ(chown(user_trash.c_str(), 65534, 65534), 0);  // mounting took root already
  EXPECT_EQ(MoveToTrash(file).error, FileError::kUnsafeTrashFolder);
  EXPECT_FALSE(IsDirectory(user_trash + "/files"));
  EXPECT_EQ(ReadFile(file), "SONG");
}

TEST_F(MountTrash, BindMountOfTheHomeFileSystemUsesItsOwnTop) {
  // The same device as the home folder, but no rename leaves a bind mount.
  const std::string bind = dir_.MakeDir("bind");
  ASSERT_EQ(mount(dir_.MakeDir("music").c_str(), bind.c_str(), nullptr, MS_BIND, nullptr), 0);
  const TrashResult result = MoveToTrash(dir_.WriteFile("bind/Song.mp3", "SONG"));
  umount2(bind.c_str(), MNT_DETACH);
  ASSERT_FALSE(result.error) << result.error.message();
  EXPECT_EQ(result.entry.file, bind + ".Trash-" + kUid + "/files/Song.mp3");
  EXPECT_EQ(ReadFile(dir_.path() + "music/.Trash-" + kUid + "/files/Song.mp3"), "SONG");
}

TEST_F(MountTrash, OnlyTrashFoldersAtTheTopCount) {
  for (const std::string& name : {std::string(".Trash"), ".Trash-" + kUid}) {
    EXPECT_TRUE(IsTrashFolder(dir_.MakeDir("mnt/" + name))) << name;
    EXPECT_FALSE(IsTrashFolder(dir_.MakeDir("mnt/sub/" + name))) << name;
  }
  EXPECT_FALSE(IsTrashFolder(dir_.MakeDir("mnt/.Trash-x")));
  EXPECT_FALSE(IsTrashFolder(top_));
}

}  // namespace
}  // namespace tarnwick
