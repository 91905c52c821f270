#include "platform/files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/file_errors.h"
#include "platform/file_io.h"
#include "platform/file_moves.h"
#include "platform/file_system.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace tarnwick {
namespace {

using test::ReadFile;
using test::TempDir;
using Names = std::vector<std::string>;

// Regular files and links to them, in any case, sorted with letters folded;
// sub-folders are real folders only, never links; a missing folder is empty.
TEST(ListFiles, Mp3FilesAndRealSubfolders) {
  TempDir dir;
  for (const char* name :
       {"b.mp3", "A.MP3", "a.mp3", ".hidden.Mp3", "c.mp3.txt", "_x.mp3", "Z.mp3"}) {
    dir.WriteFile(name, "x");
  }
  dir.MakeDir("c.mp3");
  dir.MakeDir(".hidden");
  ASSERT_EQ(mkfifo(dir.Sub("pipe.mp3").c_str(), 0644), 0);
  ASSERT_EQ(symlink(dir.Sub("b.mp3").c_str(), dir.Sub("link.mp3").c_str()), 0);
  ASSERT_EQ(symlink("/nowhere", dir.Sub("dangling.mp3").c_str()), 0);
  ASSERT_EQ(symlink(dir.path().c_str(), dir.Sub("loop").c_str()), 0);
  EXPECT_EQ(ListFiles(dir.path(), ".mp3"),
            (Names{".hidden.Mp3", "A.MP3", "a.mp3", "b.mp3", "link.mp3", "Z.mp3", "_x.mp3"}));
  EXPECT_EQ(ListSubfolders(dir.path()), (Names{".hidden", "c.mp3"}));
  EXPECT_TRUE(ListFiles("/no/such/folder/", ".mp3").empty());
  EXPECT_TRUE(ListSubfolders("/no/such/folder/").empty());
  // A link to a folder is a folder, never a file.
  EXPECT_TRUE(IsDirectory(dir.Sub("loop")) && IsDirectory(dir.Sub("c.mp3")));
  EXPECT_FALSE(IsDirectory(dir.Sub("b.mp3")) || IsDirectory(""));
  EXPECT_FALSE(FileExists(dir.Sub("c.mp3")) || FileExists(dir.Sub("loop")) || FileExists(""));
  EXPECT_TRUE(FileExists(dir.Sub("b.mp3")));
}

TEST(MoveFile, MovesAndNeverReplaces) {
  TempDir dir;
  const std::string a = dir.WriteFile("a.mp3", "AAA");
  const std::string b = dir.WriteFile("b.mp3", "BBB");
  EXPECT_EQ(MoveFileNoReplace(a, b), std::errc::file_exists);
  EXPECT_EQ(ReadFile(a), "AAA");
  EXPECT_EQ(ReadFile(b), "BBB");
  EXPECT_EQ(MoveFileNoReplace(a, dir.Sub("c.mp3")), std::error_code());
  EXPECT_FALSE(FileExists(a));
  EXPECT_EQ(ReadFile(dir.Sub("c.mp3")), "AAA");
  EXPECT_EQ(MoveFileNoReplace(dir.Sub("gone.mp3"), dir.Sub("d.mp3")),
            std::errc::no_such_file_or_directory);
}

// A folder of its own on /dev/shm while it lives, when that is another file
// system than the temporary folder's; else the test is skipped.
class OtherFileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    struct stat tmp {
    }, shm{};
    if (stat("/dev/shm", &shm) != 0 ||
        stat(std::filesystem::temp_directory_path().c_str(), &tmp) != 0 ||
        tmp.st_dev == shm.st_dev) {
      GTEST_SKIP() << "no second file system (/dev/shm) on this machine";
    }
    char pattern[] = "/dev/shm/tarnwick-test-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    far = std::string(pattern) + "/";
  }
  void TearDown() override {
    if (!far.empty()) std::filesystem::remove_all(far);
  }

  TempDir dir;
  std::string far;
};

TEST_F(OtherFileSystemTest, MoveCopiesKeepsModeAndNeverReplaces) {
  const std::string source = dir.WriteFile("song.mp3", std::string(300000, 'S'));
  chmod(source.c_str(), 0640);
  test::WriteFileAt(far + "taken.mp3", "TAKEN");

  EXPECT_EQ(MoveFileNoReplace(source, far + "taken.mp3"), std::errc::file_exists);
  EXPECT_EQ(ReadFile(far + "taken.mp3"), "TAKEN");
  EXPECT_TRUE(FileExists(source));

  EXPECT_EQ(MoveFileNoReplace(source, far + "song.mp3"), std::error_code());
  EXPECT_FALSE(FileExists(source));
  EXPECT_EQ(ReadFile(far + "song.mp3"), std::string(300000, 'S'));
  struct stat st {};
  stat((far + "song.mp3").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(ListFiles(far, ""), (Names{"song.mp3", "taken.mp3"}));  // no temporary left
}

// Another program writes to the file while it is copied to the other file
// system, or replaces it: the copy is dropped and the source kept, never
// deleted for a copy of what it was.
TEST_F(OtherFileSystemTest, SourceChangedDuringACopyIsKept) {
  const std::string source = dir.WriteFile("song.mp3", std::string(64 << 20, 'S'));
  std::atomic<bool> copying = true;
  std::thread writer([&] {
    const int fd = open(source.c_str(), O_WRONLY | O_APPEND);
    while (copying) {
      (void)!write(fd, "T", 1);
      usleep(200);
    }
    close(fd);
  });
  const std::error_code error = MoveFileNoReplace(source, far + "song.mp3");
  copying = false;
  writer.join();
  EXPECT_EQ(error, FileError::kChanged);
  EXPECT_TRUE(FileExists(source));
  EXPECT_TRUE(ListFiles(far, "").empty());  // neither the copy nor its temporary

  // A FIFO swapped in for the file would block the copy for ever.
  const std::string fifo = dir.Sub("fifo.mp3");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_EQ(MoveFileNoReplace(fifo, far + "fifo.mp3"), FileError::kNotRegularFile);
}

// The source cannot be removed after its copy (its folder refuses): the copy
// goes again, so that the move fails whole.
TEST_F(OtherFileSystemTest, UnremovableSourceTakesItsCopyBack) {
  const std::string locked = dir.MakeDir("locked");
  const std::string source = dir.WriteFile("locked/song.mp3", "SONG");
  test::GiveToUnprivileged(dir.path());
  test::GiveToUnprivileged(far);
  chmod(locked.c_str(), 0555);
  EXPECT_TRUE(test::RunUnprivileged(
      [&] { return MoveFileNoReplace(source, far + "song.mp3") == std::errc::permission_denied; }));
  EXPECT_EQ(ReadFile(source), "SONG");
  EXPECT_TRUE(ListFiles(far, "").empty());
}

// A file the run analysed and then found replaced is left alone.
TEST(MoveFile, ExpectedIdentityIsCheckedBeforeActing) {
  TempDir dir;
  const std::string path = dir.WriteFile("song.mp3", "old");
  const FileIdentity analysed = IdentityAt(AT_FDCWD, path).value();
  std::filesystem::remove(path);
  test::WriteFileAt(path, "new song");
  EXPECT_EQ(MoveFileAt(AT_FDCWD, path, AT_FDCWD, dir.Sub("moved.mp3"), &analysed),
            FileError::kChanged);
  EXPECT_EQ(DeleteFileAt(AT_FDCWD, path, &analysed), FileError::kChanged);
  EXPECT_EQ(ReadFile(path), "new song");
}

// A killed writer's temporary file goes with the next write; one of a writer
// still at work stays.
TEST(WriteFileAtomically, RemovesOnlyTemporariesOfDeadWriters) {
  TempDir dir;
  const pid_t dead = fork();
  if (dead == 0) _exit(0);
  waitpid(dead, nullptr, 0);
  const std::string target = dir.Sub("tarnwick.ini");
  const std::string stale = dir.WriteFile("tarnwick.ini.tmp-" + std::to_string(dead) + "-a", "");
  const std::string live = dir.WriteFile("tarnwick.ini.tmp-" + std::to_string(getpid()) + "-b", "");
  ASSERT_FALSE(WriteFileAtomically(target, "[Settings]\n", 0644));
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_TRUE(std::filesystem::exists(live));
  EXPECT_EQ(ReadFile(target), "[Settings]\n");
}

TEST(ParentPath, OfTheRootAndOfAFolderBelowIt) {
  EXPECT_EQ(ParentPath("/"), "/");
  EXPECT_EQ(ParentPath("/media/"), "/");
  EXPECT_EQ(ParentPath("/media/usb"), "/media");
}

}  // namespace
}  // namespace tarnwick
