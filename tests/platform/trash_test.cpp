#include "platform/trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/files.h"
#include "support/mp3_stream.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"
#include "trash_checks.h"

namespace tarnwick {
namespace {

using test::ExpectInfo;
using test::ReadFile;

// The temporary folders' names (mkdtemp: letters and digits) need no
// percent-encoding, so dir_.path() stands in the expected Path= as it is.
class HomeTrash : public test::TrashTest {};

TEST_F(HomeTrash, MovesTheFileIntoPrivateFoldersWithItsInfo) {
  const std::string song = test::CbrStream(128, 30);
  const std::string file = dir_.WriteFile("music/Blue River.mp3", song);
  const time_t before = time(nullptr);
  const TrashResult result = MoveToTrash(file);
  ASSERT_FALSE(result.error) << result.error.message();
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(ReadFile(result.entry.file), song);
  ExpectInfo(result.entry.info, dir_.path() + "music/Blue%20River.mp3", before);
  for (const char* folder : {"", "/files", "/info"}) {
    EXPECT_EQ(test::ModeOf(HomeTrashFolder() + folder), 0700u) << folder;
  }
  setenv("XDG_DATA_HOME", "relative/share", 1);  // counts only when absolute
  EXPECT_EQ(MoveToTrash(dir_.WriteFile("music/a.mp3", "A")).entry.file,
            HomeTrashFolder() + "/files/a.mp3");
  setenv("XDG_DATA_HOME", (dir_.path() + "data/").c_str(), 1);
  EXPECT_EQ(MoveToTrash(dir_.WriteFile("music/a.mp3", "A")).entry.file,
            dir_.path() + "data/Trash/files/a.mp3");
}

TEST_F(HomeTrash, TakenNamesAreNumberedAndPathsPercentEncoded) {
  dir_.WriteFile("home/.local/share/Trash/files/Lone.mp3", "stray");
  dir_.WriteFile("home/.local/share/Trash/info/Orphan.mp3.trashinfo", "orphan");
  // A name too long for "NAME.trashinfo" loses bytes before its extension,
  // never inside the UTF-8 character "\xc3\xa4".
  const std::string a240(240, 'a'), long_name = a240 + "\xc3\xa4\xc3\xa4.mp3";
  const struct {
    std::string name, trashed, encoded;
  } cases[] = {
      {"a/Song.mp3", "Song.mp3", "a/Song.mp3"},
      {"b/Song.mp3", "Song.2.mp3", "b/Song.mp3"},
      {"Lone.mp3", "Lone.2.mp3", "Lone.mp3"},
      {"Orphan.mp3", "Orphan.2.mp3", "Orphan.mp3"},
      {"a/.hidden", ".hidden", "a/.hidden"},
      {"b/.hidden", ".hidden.2", "b/.hidden"},
      {"No Extension", "No Extension", "No%20Extension"},
      {"a/" + long_name, a240 + ".mp3", "a/" + a240 + "%C3%A4%C3%A4.mp3"},
      {"b/" + long_name, a240.substr(1) + ".2.mp3", "b/" + a240 + "%C3%A4%C3%A4.mp3"},
      {"100%.mp3", "100%.mp3", "100%25.mp3"},
      {"Caf\xe9 \xff.mp3", "Caf\xe9 \xff.mp3", "Caf%E9%20%FF.mp3"},
      {"two\nlines.mp3", "two\nlines.mp3", "two%0Alines.mp3"},
      {"-._~!#[]?&+=:@'\"", "-._~!#[]?&+=:@'\"", "-._~%21%23%5B%5D%3F%26%2B%3D%3A%40%27%22"}};
  for (const auto& c : cases) {
    const TrashResult predicted = PredictTrashEntry(dir_.WriteFile("music/" + c.name, c.name));
    const TrashResult result = MoveToTrash(dir_.path() + "music/" + c.name);
    ASSERT_FALSE(result.error) << c.encoded;
    EXPECT_EQ(result.entry.file, HomeTrashFolder() + "/files/" + c.trashed);
    EXPECT_EQ(result.entry.info, HomeTrashFolder() + "/info/" + c.trashed + ".trashinfo");
    EXPECT_EQ(predicted.entry.file, result.entry.file);
    EXPECT_EQ(ReadFile(result.entry.file), c.name);
    ExpectInfo(result.entry.info, dir_.path() + "music/" + c.encoded, 0);
  }
  EXPECT_EQ(ReadFile(HomeTrashFolder() + "/files/Lone.mp3"), "stray");
  EXPECT_EQ(ReadFile(HomeTrashFolder() + "/info/Orphan.mp3.trashinfo"), "orphan");
}

TEST_F(HomeTrash, PredictionAndRefusalsChangeNothing) {
  const std::string file = dir_.WriteFile("music/Song.mp3", "x");
  EXPECT_EQ(PredictTrashEntry(file).entry.info, HomeTrashFolder() + "/info/Song.mp3.trashinfo");
  EXPECT_EQ(MoveToTrash(dir_.MakeDir("music/folder.mp3")).error, std::errc::invalid_argument);
  EXPECT_EQ(MoveToTrash(dir_.path() + "music/folder.mp3").error, std::errc::is_a_directory);
  EXPECT_EQ(MoveToTrash(dir_.path() + "music/none.mp3").error,
            std::errc::no_such_file_or_directory);
  EXPECT_FALSE(IsDirectory(home_ + ".local"));
  EXPECT_TRUE(FileExists(file));
}

TEST_F(HomeTrash, UnwritableTrashLeavesTheFileAndNoInfo) {
  // Root passes over modes, so the refusals are met as an ordinary user.
  const std::string trash = dir_.MakeDir("home/.local/share/Trash");
  const std::string file = dir_.WriteFile("music/Song.mp3", "SONG");
  for (const char* locked : {"files", "info"}) {
    std::filesystem::remove_all(trash);
    dir_.MakeDir("home/.local/share/Trash/files");
    dir_.MakeDir("home/.local/share/Trash/info");
    test::GiveToUnprivileged(dir_.path());
    chmod((trash + locked).c_str(), 0500);
    EXPECT_TRUE(test::RunUnprivileged(
        [&] { return MoveToTrash(file).error == std::errc::permission_denied; }));
    EXPECT_EQ(ReadFile(file), "SONG");
    EXPECT_TRUE(ListFiles(trash + "info", "").empty()) << locked;
    EXPECT_TRUE(ListFiles(trash + "files", "").empty()) << locked;
  }
}

TEST_F(HomeTrash, RestoreBringsTheBytesBackAndNeverReplaces) {
  const std::string song = test::CbrStream(192, 50) + std::string(3, '\0');
  const std::string file = dir_.WriteFile("music/Song.mp3", song);
  const TrashEntry entry = MoveToTrash(file).entry;
  test::WriteFileAt(file, "NEW");
  EXPECT_EQ(RestoreFromTrash(entry.file, entry.info, file), std::errc::file_exists);
  EXPECT_EQ(ReadFile(file), "NEW");
  EXPECT_EQ(ReadFile(entry.file), song);
  EXPECT_TRUE(FileExists(entry.info));

  unlink(file.c_str());
  EXPECT_FALSE(RestoreFromTrash(entry.file, entry.info, file));
  EXPECT_EQ(ReadFile(file), song);
  EXPECT_FALSE(FileExists(entry.file));
  EXPECT_FALSE(FileExists(entry.info));
}

TEST_F(HomeTrash, TrashFolderIsKnownInAnySpelling) {
  MoveToTrash(dir_.WriteFile("music/Song.mp3", "x"));
  ASSERT_EQ(symlink(HomeTrashFolder().c_str(), dir_.Sub("link").c_str()), 0);
  for (const std::string& trash :
       {HomeTrashFolder(), home_ + "./.local/../.local/share/Trash/", dir_.Sub("link")}) {
    EXPECT_TRUE(IsTrashFolder(trash)) << trash;
  }
  EXPECT_FALSE(IsTrashFolder(HomeTrashFolder() + "/files"));
  EXPECT_FALSE(IsTrashFolder(dir_.path() + "music"));
  EXPECT_FALSE(IsTrashFolder(dir_.MakeDir("music/.Trash-0")));  // not at a top folder
}

}  // namespace
}  // namespace tarnwick
